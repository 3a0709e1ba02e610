<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>QORApplication</name>
    <message>
        <source>%1 не может открыть окно: графический экран недоступен (DISPLAY=%2). Запустите игру, когда экран будет готов.
</source>
        <translation>%1 cannot open a window: the display is not available (DISPLAY=%2). Start the game once the display is ready.
</translation>
    </message>
</context>
<context>
    <name>QORBigCube</name>
    <message>
        <source>такого файла нет</source>
        <translation>there is no such file</translation>
    </message>
    <message>
        <source>это папка, а не файл</source>
        <translation>it is a folder, not a file</translation>
    </message>
    <message>
        <source>файл не читается, проверьте права на него</source>
        <translation>the file cannot be read; check its permissions</translation>
    </message>
    <message>
        <source>это не сохранённая игра: в сохранённой игре ровно %1 байт, а в этом файле %2</source>
        <translation>it is not a saved game: a saved game is exactly %1 bytes long, and this file is %2</translation>
    </message>
    <message>
        <source>это не сохранённая игра: в ней есть значения, которые не являются числами</source>
        <translation>it is not a saved game: it holds values that are not numbers</translation>
    </message>
    <message>
        <source>это не сохранённая игра: кубики в ней не складываются в куб 3×3×3</source>
        <translation>it is not a saved game: its cubies do not make up a 3×3×3 cube</translation>
    </message>
</context>
<context>
    <name>QORColorBox</name>
    <message>
        <source>Другой...</source>
        <translation>Other...</translation>
    </message>
</context>
<context>
    <name>QORDailyChallenge</name>
    <message>
        <source>Задача дня</source>
        <translation>Daily puzzle</translation>
    </message>
    <message>
        <source>Копировать результат</source>
        <translation>Copy result</translation>
    </message>
    <message>
        <source>Сервер не прислал задачу дня: похоже, он её не проводит.</source>
        <translation>The server sent no daily puzzle: it does not seem to hold one.</translation>
    </message>
    <message>
        <source>Задача дня доступна только на сервере: войдите в «Топ игроков» → «Авторизация...» и дождитесь связи.</source>
        <translation>The daily puzzle is played on the server only: log in with &quot;Top players&quot; → &quot;Log in...&quot; and wait for the connection.</translation>
    </message>
    <message>
        <source>Сдаться? Попытка на сегодня одна: после сдачи задачу дня можно будет решить только завтра.</source>
        <translation>Give up? There is one try a day: once you give up, the next daily puzzle comes tomorrow.</translation>
    </message>
    <message>
        <source>Сервер недоступен: попытка не сдана и остаётся открытой, задачу дня можно начать снова.</source>
        <translation>The server cannot be reached: the try was not given up and stays open, so you can start the daily puzzle again.</translation>
    </message>
    <message>
        <source>%1 с</source>
        <translation>%1 s</translation>
    </message>
    <message numerus="yes">
        <source>%n ходов</source>
        <translation>
            <numerusform>%n move</numerusform>
            <numerusform>%n moves</numerusform>
        </translation>
    </message>
    <message>
        <source>%1-е место</source>
        <translation>place %1</translation>
    </message>
    <message numerus="yes">
        <source>серия %n дней</source>
        <translation>
            <numerusform>%n-day streak</numerusform>
            <numerusform>%n-day streak</numerusform>
        </translation>
    </message>
    <message>
        <source>Quelmora, задача дня %1: %2</source>
        <translation>Quelmora, daily puzzle %1: %2</translation>
    </message>
    <message>
        <source>Задача дня на сегодня уже сыграна. Новая будет завтра.</source>
        <translation>Today&apos;s daily puzzle has been played. A new one comes tomorrow.</translation>
    </message>
    <message>
        <source>ЗАДАЧА ДНЯ СДАНА</source>
        <translation>DAILY PUZZLE GIVEN UP</translation>
    </message>
</context>
<context>
    <name>QORFileDialog</name>
    <message>
        <source>Игры (*.cube)</source>
        <translation>Games (*.cube)</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
<context>
    <name>QORHint</name>
    <message>
        <source>В задаче дня подсказок нет: её решают сами.</source>
        <translation>The daily puzzle has no hints: you solve it on your own.</translation>
    </message>
    <message>
        <source>Подсказки нет: кубик в положении, которого нельзя получить поворотами. Начните новую игру.</source>
        <translation>No hint: the cube is in a position that no turns can reach. Start a new game.</translation>
    </message>
</context>
<context>
    <name>QORLogin</name>
    <message>
        <source>Пароль должен содержать не менее шести символов</source>
        <translation>The password must be at least six characters long</translation>
    </message>
    <message>
        <source>В пароле не может быть символов ; # &quot; и управляющих символов</source>
        <translation>The password cannot contain ; # &quot; or control characters</translation>
    </message>
    <message>
        <source>Введённые пароли не совпадают...</source>
        <translation>The passwords do not match...</translation>
    </message>
    <message>
        <source>Не указан логин...</source>
        <translation>No login given...</translation>
    </message>
    <message>
        <source>В логине не может быть символов ; # &quot; и управляющих символов</source>
        <translation>The login cannot contain ; # &quot; or control characters</translation>
    </message>
</context>
<context>
    <name>QORResults</name>
    <message>
        <source>Не удалось открыть историю сборок %1: %2.
Сборки этой игры не будут сохранены, а результаты, не отправленные на сервер, будут потеряны.</source>
        <translation>Could not open the solve history %1: %2.
This game&apos;s solves will not be kept, and results not yet sent to the server will be lost.</translation>
    </message>
    <message>
        <source>История сборок недоступна: эта сборка не сохранена.</source>
        <translation>The solve history is not available: this solve was not kept.</translation>
    </message>
    <message>
        <source>Не удалось записать сборку в историю: %1.</source>
        <translation>Could not write the solve to the history: %1.</translation>
    </message>
</context>
<context>
    <name>QORSchemeBox</name>
    <message>
        <source>Обычная</source>
        <translation>Usual</translation>
    </message>
    <message>
        <source>Для дальтоников</source>
        <translation>For colour blindness</translation>
    </message>
    <message>
        <source>Контрастная</source>
        <translation>High contrast</translation>
    </message>
    <message>
        <source>Своя</source>
        <translation>Own</translation>
    </message>
</context>
<context>
    <name>QORScoreClient</name>
    <message>
        <source>РЕЗУЛЬТАТ ОТКЛОНЁН: КУБИК НЕ СОБРАН</source>
        <translation>RESULT REFUSED: CUBE NOT SOLVED</translation>
    </message>
    <message>
        <source>РЕЗУЛЬТАТ ОТКЛОНЁН: ЧУЖОЕ ПЕРЕМЕШИВАНИЕ</source>
        <translation>RESULT REFUSED: NOT THIS PLAYER&apos;S SHUFFLE</translation>
    </message>
    <message>
        <source>РЕЗУЛЬТАТ ОТКЛОНЁН: ПЕРЕМЕШИВАНИЕ УЖЕ ЗАСЧИТАНО</source>
        <translation>RESULT REFUSED: SHUFFLE ALREADY COUNTED</translation>
    </message>
    <message>
        <source>РЕЗУЛЬТАТ ОТКЛОНЁН: ПЕРЕМЕШИВАНИЕ УСТАРЕЛО</source>
        <translation>RESULT REFUSED: SHUFFLE EXPIRED</translation>
    </message>
    <message>
        <source>РЕЗУЛЬТАТ ОТКЛОНЁН: НЕВЕРНОЕ ВРЕМЯ ХОДОВ</source>
        <translation>RESULT REFUSED: WRONG MOVE TIMES</translation>
    </message>
    <message>
        <source>РЕЗУЛЬТАТ ЖДЁТ ПРОВЕРКИ ОПЕРАТОРОМ</source>
        <translation>RESULT AWAITS AN OPERATOR&apos;S CHECK</translation>
    </message>
    <message>
        <source>ПОДКЛЮЧЕНИЕ...</source>
        <translation>CONNECTING...</translation>
    </message>
    <message>
        <source>РЕЗУЛЬТАТ НЕ ОТПРАВЛЕН</source>
        <translation>RESULT NOT SENT</translation>
    </message>
    <message>
        <source>РЕГИСТРАЦИЯ...</source>
        <translation>REGISTERING...</translation>
    </message>
    <message>
        <source>АВТОРИЗАЦИЯ...</source>
        <translation>LOGGING IN...</translation>
    </message>
    <message>
        <source>РЕЗУЛЬТАТ ПРОВЕРЕН: %1-е место</source>
        <translation>RESULT VERIFIED: PLACE %1</translation>
    </message>
    <message>
        <source>РЕЗУЛЬТАТ ПРОВЕРЕН</source>
        <translation>RESULT VERIFIED</translation>
    </message>
    <message>
        <source>ОШИБКА: ЛОГИН/ПАРОЛЬ!</source>
        <translation>ERROR: LOGIN/PASSWORD!</translation>
    </message>
    <message>
        <source>СЕРВЕР НЕДОСТУПЕН!</source>
        <translation>SERVER UNREACHABLE!</translation>
    </message>
    <message>
        <source>СЕРВЕР НЕ ПРИНИМАЕТ ШТРАФ +2</source>
        <translation>SERVER DOES NOT TAKE THE +2 PENALTY</translation>
    </message>
</context>
<context>
    <name>QORSettingTable</name>
    <message>
        <source>Чёрный</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>Бордовый</source>
        <translation>Maroon</translation>
    </message>
    <message>
        <source>Зелёный</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Оливковый</source>
        <translation>Olive</translation>
    </message>
    <message>
        <source>Тёмно-синий</source>
        <translation>Navy</translation>
    </message>
    <message>
        <source>Пурпурный</source>
        <translation>Purple</translation>
    </message>
    <message>
        <source>Сине-зелёный</source>
        <translation>Teal</translation>
    </message>
    <message>
        <source>Серый</source>
        <translation>Grey</translation>
    </message>
    <message>
        <source>Серебристый</source>
        <translation>Silver</translation>
    </message>
    <message>
        <source>Красный</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Лаймовый</source>
        <translation>Lime</translation>
    </message>
    <message>
        <source>Жёлтый</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>Синий</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Фуксия</source>
        <translation>Fuchsia</translation>
    </message>
    <message>
        <source>Голубой</source>
        <translation>Aqua</translation>
    </message>
    <message>
        <source>Белый</source>
        <translation>White</translation>
    </message>
    <message>
        <source>Светло-зелёный</source>
        <translation>Money green</translation>
    </message>
    <message>
        <source>Небесно-голубой</source>
        <translation>Sky blue</translation>
    </message>
    <message>
        <source>Кремовый</source>
        <translation>Cream</translation>
    </message>
    <message>
        <source>Средне-серый</source>
        <translation>Medium grey</translation>
    </message>
    <message>
        <source>Никогда</source>
        <translation>Never</translation>
    </message>
    <message>
        <source>Через 5 секунд</source>
        <translation>After 5 seconds</translation>
    </message>
    <message>
        <source>Через 10 секунд</source>
        <translation>After 10 seconds</translation>
    </message>
    <message>
        <source>Через 20 секунд</source>
        <translation>After 20 seconds</translation>
    </message>
    <message>
        <source>Через 30 секунд</source>
        <translation>After 30 seconds</translation>
    </message>
    <message>
        <source>Через 45 секунд</source>
        <translation>After 45 seconds</translation>
    </message>
    <message>
        <source>Через 1 минуту</source>
        <translation>After 1 minute</translation>
    </message>
    <message>
        <source>Через 2 минуты</source>
        <translation>After 2 minutes</translation>
    </message>
    <message>
        <source>Через 3 минуты</source>
        <translation>After 3 minutes</translation>
    </message>
    <message>
        <source>Через 4 минуты</source>
        <translation>After 4 minutes</translation>
    </message>
    <message>
        <source>Через 5 минут</source>
        <translation>After 5 minutes</translation>
    </message>
    <message>
        <source>Через 10 минут</source>
        <translation>After 10 minutes</translation>
    </message>
    <message>
        <source>Через 20 минут</source>
        <translation>After 20 minutes</translation>
    </message>
    <message>
        <source>Через 30 минут</source>
        <translation>After 30 minutes</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>О программе...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>ОК</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>THelpForm</name>
    <message>
        <source>Справка</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>TLoginForm</name>
    <message>
        <source>Авторизация...</source>
        <translation>Log in...</translation>
    </message>
    <message>
        <source>Пароль (min 6 симв.):</source>
        <translation>Password (min 6 chars):</translation>
    </message>
    <message>
        <source>Больше не предлагать</source>
        <translation>Do not offer again</translation>
    </message>
    <message>
        <source>Зарегистрироваться</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>Логин:</source>
        <translation>Login:</translation>
    </message>
    <message>
        <source>Еще раз:</source>
        <translation>Again:</translation>
    </message>
    <message>
        <source>Больше не предлагать авторизацию</source>
        <translation>Do not offer to log in again</translation>
    </message>
    <message>
        <source>Сохранить пароль (это не безопасно :)</source>
        <translation>Save the password (this is not safe :)</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Не удалось прочитать файл настроек %1: %2.
Игра начата с настройками по умолчанию и не станет перезаписывать этот файл при выходе. Проверьте права на файл и перезапустите игру.</source>
        <translation>Could not read the settings file %1: %2.
The game has started with the default settings and will not overwrite this file on exit. Check the file&apos;s permissions and restart the game.</translation>
    </message>
    <message>
        <source>Ошибка: неверный логин или пароль! Зарегистрируйтесь...</source>
        <translation>Error: wrong login or password! Register...</translation>
    </message>
    <message>
        <source>Unable to write to %1.</source>
        <translation>Unable to write to %1.</translation>
    </message>
    <message>
        <source>Ходов: %1</source>
        <translation>Moves: %1</translation>
    </message>
    <message>
        <source>Время: %1 с, ходов: %2, %3 ход/с</source>
        <translation>Time: %1 s, moves: %2, %3 moves/s</translation>
    </message>
    <message>
        <source>Новый рекорд!</source>
        <translation>New record!</translation>
    </message>
    <message>
        <source>С подсказкой: в «Топ» не идёт.</source>
        <translation>With a hint: not for the top list.</translation>
    </message>
    <message>
        <source>Сборка случайного состояния без проверки сервером в «Топ» не идёт.</source>
        <translation>A random-state solve not verified by the server is not for the top list.</translation>
    </message>
    <message>
        <source>В «Топ» идут сборки от %1 ходов перемешивания.</source>
        <translation>The top list takes solves of %1 shuffle turns or more.</translation>
    </message>
    <message>
        <source>Поздравляю! Ты сделал это!</source>
        <translation>Congratulations! You did it!</translation>
    </message>
    <message>
        <source>Не удалось открыть игру из файла %1: %2</source>
        <translation>Could not open the game from the file %1: %2</translation>
    </message>
    <message>
        <source>Не удалось сохранить игру в файл %1: %2</source>
        <translation>Could not save the game to the file %1: %2</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Начать заново</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>Стоп!</source>
        <translation>Stop!</translation>
    </message>
    <message>
        <source>Отменить ход</source>
        <translation>Undo move</translation>
    </message>
    <message>
        <source>Повторить ход</source>
        <translation>Redo move</translation>
    </message>
    <message>
        <source>Подсказка</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>Открыть...</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Сохранить как...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>Параметры...</source>
        <translation>Options...</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Вид</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Кнопки</source>
        <translation>Buttons</translation>
    </message>
    <message>
        <source>Строка состояния</source>
        <translation>Status bar</translation>
    </message>
    <message>
        <source>Топ игроков</source>
        <translation>Top players</translation>
    </message>
    <message>
        <source>Авторизация...</source>
        <translation>Log in...</translation>
    </message>
    <message>
        <source>Топ</source>
        <translation>Top list</translation>
    </message>
    <message>
        <source>Статистика</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>О программе...</source>
        <translation>About...</translation>
    </message>
</context>
<context>
    <name>TOptionsForm</name>
    <message>
        <source>Параметры...</source>
        <translation>Options...</translation>
    </message>
    <message>
        <source>Перемешивать на</source>
        <translation>Shuffle by</translation>
    </message>
    <message>
        <source>Игра</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>поворотов</source>
        <translation>turns</translation>
    </message>
    <message>
        <source>Случайное состояние</source>
        <translation>Random state</translation>
    </message>
    <message>
        <source> Качество отображения (сглаживание): </source>
        <translation> Drawing quality (anti-aliasing): </translation>
    </message>
    <message>
        <source>Без сглаживания</source>
        <translation>No anti-aliasing</translation>
    </message>
    <message>
        <source>Выское качество</source>
        <translation>High quality</translation>
    </message>
    <message>
        <source>Отправлять результат игры и обновлять топ-лист (требуется подключение к интернету)</source>
        <translation>Send game results and update the top list (needs an Internet connection)</translation>
    </message>
    <message>
        <source>Цвета</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>Передняя грань:</source>
        <translation>Front face:</translation>
    </message>
    <message>
        <source>Задняя грань:</source>
        <translation>Back face:</translation>
    </message>
    <message>
        <source>Левая грань:</source>
        <translation>Left face:</translation>
    </message>
    <message>
        <source>Правая грань:</source>
        <translation>Right face:</translation>
    </message>
    <message>
        <source>Верхняя грань:</source>
        <translation>Top face:</translation>
    </message>
    <message>
        <source>Нижняя грань:</source>
        <translation>Bottom face:</translation>
    </message>
    <message>
        <source>Корпус:</source>
        <translation>Body:</translation>
    </message>
    <message>
        <source>Фон:</source>
        <translation>Background:</translation>
    </message>
    <message>
        <source>Вращение</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source> Свободное вращение при простое: </source>
        <translation> Free rotation when idle: </translation>
    </message>
    <message>
        <source> Скорость вращения граней: </source>
        <translation> Face turn speed: </translation>
    </message>
    <message>
        <source>Осмотр 15 секунд</source>
        <translation>15-second inspection</translation>
    </message>
    <message>
        <source>Схема цветов:</source>
        <translation>Colour scheme:</translation>
    </message>
    <message>
        <source>Значки на наклейках</source>
        <translation>Symbols on stickers</translation>
    </message>
</context>
<context>
    <name>TPlayersForm</name>
    <message>
        <source>Место</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Ник</source>
        <translation>Nick</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Ходов</source>
        <translation>Moves</translation>
    </message>
    <message>
        <source>Перемешивание</source>
        <translation>Shuffle</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Топ игроков</source>
        <translation>Top players</translation>
    </message>
    <message>
        <source>Количество оборотов при перемешивании</source>
        <translation>Shuffle turns</translation>
    </message>
    <message>
        <source>Все</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Проверенные</source>
        <translation>Verified</translation>
    </message>
    <message>
        <source>Случайное состояние</source>
        <translation>Random state</translation>
    </message>
    <message>
        <source>Задача дня</source>
        <translation>Daily puzzle</translation>
    </message>
</context>
<context>
    <name>TStatsForm</name>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Перемешивание</source>
        <translation>Shuffle</translation>
    </message>
    <message>
        <source>Ходов</source>
        <translation>Moves</translation>
    </message>
    <message>
        <source>Решатель</source>
        <translation>Solver</translation>
    </message>
    <message>
        <source>Эффективность</source>
        <translation>Efficiency</translation>
    </message>
    <message>
        <source>Ход/с</source>
        <translation>Moves/s</translation>
    </message>
    <message>
        <source>Запись повреждена: в ней невозможные числа. Она не входит ни в средние, ни в график.</source>
        <translation>The record is damaged: it holds impossible numbers. It is left out of the averages and the chart.</translation>
    </message>
    <message>
        <source>Ходов решателя на каждые сто ходов сборки</source>
        <translation>The solver&apos;s moves for every hundred moves of the solve</translation>
    </message>
    <message>
        <source>В этой сборке была подсказка: она не отправляется в «Топ».</source>
        <translation>This solve used a hint: it is not sent to the top list.</translation>
    </message>
    <message>
        <source>Задача дня %1</source>
        <translation>Daily puzzle %1</translation>
    </message>
    <message>
        <source>повреждена</source>
        <translation>damaged</translation>
    </message>
    <message>
        <source>%1 с подсказкой</source>
        <translation>%1 with a hint</translation>
    </message>
    <message>
        <source>%1, задача дня</source>
        <translation>%1, daily puzzle</translation>
    </message>
    <message>
        <source>Статистика</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Среднее из 5</source>
        <translation>Average of 5</translation>
    </message>
    <message>
        <source>секунды</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>Смотреть</source>
        <translation>Watch</translation>
    </message>
    <message>
        <source>Шаг</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>как собирали</source>
        <translation>as solved</translation>
    </message>
    <message>
        <source>без пауз</source>
        <translation>no pauses</translation>
    </message>
    <message>
        <source>С какой скоростью показывать ходы сборки</source>
        <translation>How fast to show the solve&apos;s moves</translation>
    </message>
    <message>
        <source>Удалить...</source>
        <translation>Delete...</translation>
    </message>
    <message>
        <source>Экспорт в CSV...</source>
        <translation>Export to CSV...</translation>
    </message>
    <message>
        <source>Перемешивание:</source>
        <translation>Shuffle:</translation>
    </message>
    <message>
        <source>Скорость:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>все</source>
        <translation>all</translation>
    </message>
    <message>
        <source>случайное состояние</source>
        <translation>random state</translation>
    </message>
    <message>
        <source>задача дня</source>
        <translation>daily puzzle</translation>
    </message>
    <message>
        <source>%1 поворотов</source>
        <translation>%1 turns</translation>
    </message>
    <message>
        <source>текущее</source>
        <translation>current</translation>
    </message>
    <message>
        <source>лучшее</source>
        <translation>best</translation>
    </message>
    <message>
        <source>Среднее из 3</source>
        <translation>Mean of 3</translation>
    </message>
    <message>
        <source>Среднее из 12</source>
        <translation>Average of 12</translation>
    </message>
    <message>
        <source>Решено: %1</source>
        <translation>Solved: %1</translation>
    </message>
    <message>
        <source>Повреждённых записей: %1, они не учтены.</source>
        <translation>Damaged records: %1, left out.</translation>
    </message>
    <message>
        <source>Выберите в таблице сборку, которую хотите посмотреть.</source>
        <translation>Pick the solve you want to watch in the table.</translation>
    </message>
    <message>
        <source>Эту сборку нельзя показать: записанные ходы повреждены.</source>
        <translation>This solve cannot be shown: its recorded moves are damaged.</translation>
    </message>
    <message>
        <source>Дальше</source>
        <translation>Go on</translation>
    </message>
    <message>
        <source>Пауза</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Удалить повреждённую запись от %1? Её нельзя будет вернуть.</source>
        <translation>Delete the damaged record of %1? It cannot be brought back.</translation>
    </message>
    <message>
        <source>Удалить сборку от %1 со временем %2? Её нельзя будет вернуть.</source>
        <translation>Delete the solve of %1 with the time %2? It cannot be brought back.</translation>
    </message>
    <message>
        <source>Не удалось удалить сборку из файла истории.</source>
        <translation>Could not delete the solve from the history file.</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл %1: %2</source>
        <translation>Could not save the file %1: %2</translation>
    </message>
    <message>
        <source>Осмотр дольше 17 секунд: сборка не засчитана (DNF).</source>
        <translation>Inspection over 17 seconds: the solve does not count (DNF).</translation>
    </message>
    <message>
        <source>Первый ход после 15 секунд осмотра: к времени добавлены 2 секунды.</source>
        <translation>First move after 15 seconds of inspection: 2 seconds are added to the time.</translation>
    </message>
</context>
</TS>
