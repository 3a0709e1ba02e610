#include "app/qorapplication.h"

#include "dialogs/qorprogram.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>

#include <exception>

QORApplication::QORApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("quelmora"));
    // The game speaks Russian whatever the desktop's language; so do Qt's own dialogs.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    if (Translator.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&Translator);
}

void QORApplication::ShowException(const char* what) {
    QMessageBox::critical(nullptr, QLatin1String(ProgramTitle), QString::fromUtf8(what));
}

bool QORApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowException(e.what());
    } catch (...) {
        ShowException("Unknown error");
    }
    return false;
}

int QORApplication::Guarded(const std::function<void()>& body) {
    try {
        body();
    } catch (const std::exception& e) {
        ShowException(e.what());
    }
    return 0;
}
