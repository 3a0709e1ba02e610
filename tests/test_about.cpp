#include "dialogs/about.h"

#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

QColor TextOf(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

} // namespace

TEST(About, boxHasItsCaptionSizeAndColours) {
    TAboutForm about;
    EXPECT_EQ(about.windowTitle(), QString::fromUtf8("О программе..."));
    EXPECT_EQ(about.size(), QSize(286, 114));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    EXPECT_EQ(about.palette().color(QPalette::Window), QColor(0x5B, 0x74, 0xA8));
    EXPECT_EQ(about.LabelTitle->text(), "Quelmora 1.10");
    EXPECT_EQ(TextOf(about.LabelTitle), QColor(0xD2, 0xDA, 0xE8));
    EXPECT_TRUE(about.LabelWeb->font().underline());
    EXPECT_EQ(about.LabelMail->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(about.ButtonOK->text(), QString::fromUtf8("ОК"));
    EXPECT_EQ(about.ButtonOK->size(), QSize(75, 21));
}

TEST(About, linksTurnOrangeUnderThePointerAndOpenTheirAddresses) {
    TAboutForm about;
    QList<QUrl> opened;
    about.OpenUrl = [&](const QUrl& url) { opened << url; };
    QEvent enter(QEvent::Enter), leave(QEvent::Leave);
    QCoreApplication::sendEvent(about.LabelWeb, &enter);
    EXPECT_EQ(TextOf(about.LabelWeb), QColor(0xFF, 0x80, 0x00));
    QCoreApplication::sendEvent(about.LabelWeb, &leave);
    EXPECT_EQ(TextOf(about.LabelWeb), QColor(0xD2, 0xDA, 0xE8));
    QTest::mouseClick(about.LabelWeb, Qt::LeftButton);
    QTest::mouseClick(about.LabelMail, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0].scheme(), "https");
    EXPECT_EQ(opened[1].scheme(), "mailto");
    EXPECT_EQ(opened[1].path(), "quelmora@example.org");
}

TEST(About, okClosesTheBox) {
    TAboutForm about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    QTest::mouseClick(about.ButtonOK, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_FALSE(about.Image->pixmap().isNull()) << "the picture was drawn when shown";
}

TEST(About, everyImageRendersAtBothSizesAndDoubleDensity) {
    for (const char* name :
         {"newgame", "open", "save", "stop", "options", "help", "exit", "logo"}) {
        const QIcon icon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
        for (int size : {16, 32}) {
            for (qreal ratio : {1.0, 2.0}) {
                const QPixmap p = icon.pixmap(QSize(size, size), ratio);
                ASSERT_FALSE(p.isNull()) << name;
                EXPECT_EQ(p.width(), int(size * ratio)) << name << " at " << ratio;
                // Something is drawn: not every pixel is transparent.
                const QImage image = p.toImage();
                bool drawn = false;
                for (int y = 0; y < image.height() && !drawn; ++y)
                    for (int x = 0; x < image.width() && !drawn; ++x)
                        drawn = qAlpha(image.pixel(x, y)) > 0;
                EXPECT_TRUE(drawn) << name;
            }
        }
    }
}
