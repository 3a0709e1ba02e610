<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="ru">
<context>
    <name>QORDailyChallenge</name>
    <message numerus="yes">
        <source>%n ходов</source>
        <translation>
            <numerusform>%n ход</numerusform>
            <numerusform>%n хода</numerusform>
            <numerusform>%n ходов</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>серия %n дней</source>
        <translation>
            <numerusform>серия %n день</numerusform>
            <numerusform>серия %n дня</numerusform>
            <numerusform>серия %n дней</numerusform>
        </translation>
    </message>
</context>
</TS>
