#include "app/qorapplication.h"

#include "app/qorlanguage.h"
#include "dialogs/qorprogram.h"

#include <QMessageBox>
#include <QProcessEnvironment>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {

QtMessageHandler PreviousHandler = nullptr;

// Without a display that answers, as while the X server is still coming up or has refused
// us, Qt cannot start and would abort with a core dump. The player is told why instead.
void StartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (PreviousHandler)
        PreviousHandler(type, context, text);
    if (type != QtFatalMsg)
        return;
    const char* const source = QT_TRANSLATE_NOOP(
        "QORApplication", "%1 не может открыть окно: графический экран недоступен "
                          "(DISPLAY=%2). Запустите игру, когда экран будет готов.\n");
    // The application, and so its translators, never came to be: the text is looked up here.
    QTranslator english;
    const bool translated = AsksForEnglish(QProcessEnvironment::systemEnvironment()) &&
                            english.load(QStringLiteral(":/i18n/quelmora_en"));
    const QString why =
        (translated ? english.translate("QORApplication", source) : QString::fromUtf8(source))
            .arg(QLatin1String(ProgramTitle), qEnvironmentVariable("DISPLAY"));
    std::fputs(why.toLocal8Bit().constData(), stderr);
    std::_Exit(EXIT_FAILURE);
}

} // namespace

QORApplication::QORApplication(int& argc, char** argv) : QApplication(Starting(argc), argv) {
    qInstallMessageHandler(PreviousHandler);
    setApplicationName(QStringLiteral("quelmora"));
    SpeakLanguage(*this, AsksForEnglish(QProcessEnvironment::systemEnvironment()));
}

int& QORApplication::Starting(int& argc) {
    PreviousHandler = qInstallMessageHandler(StartMessage);
    return argc;
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
