#include "dialogs/about.h"

#include <QIcon>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

TEST(About, bothLinksShowTheSiteWhichIsTheHelpPageForNow) {
    TAboutForm about;
    int shown = 0;
    about.ShowSite = [&] { ++shown; };
    QTest::mouseClick(about.LabelWeb, Qt::LeftButton);
    QTest::mouseClick(about.LabelMail, Qt::LeftButton);
    EXPECT_EQ(shown, 2);
}

TEST(About, everyImageOfTheGameDrawsAtBothSizesAndDoubleDensity) {
    for (const char* name : {"newgame", "open", "save", "stop", "options", "help", "exit", "logo"})
        for (qreal ratio : {1.0, 2.0}) {
            const QImage image = QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)))
                                     .pixmap(QSize(32, 32), ratio)
                                     .toImage();
            ASSERT_EQ(image.width(), int(32 * ratio)) << name;
            int drawn = 0; // pixels that are not transparent
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    drawn += qAlpha(image.pixel(x, y)) > 0;
            EXPECT_GT(drawn, image.width()) << name;
        }
}
