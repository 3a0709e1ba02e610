#include "dialogs/qorfiledialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QSettings>

namespace {

QString FolderKey(QORFileKind kind) {
    return kind == QORFileKind::Game ? QStringLiteral("Folders/Games")
                                     : QStringLiteral("Folders/Exports");
}

// Qt's file list writes dates in the system's language, not the game's: this one writes them
// in the game's.
class GameDates : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    static constexpr int DateColumn = 3;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files && index.column() == DateColumn && role == Qt::DisplayRole)
            return QLocale().toString(files->lastModified(mapToSource(index)),
                                      QLocale::ShortFormat);
        return QIdentityProxyModel::data(index, role);
    }
};

} // namespace

QString UserStatePath() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/quelmora/window.ini");
}

QString KeptFolder(QORFileKind kind) {
    const QString folder =
        QSettings(UserStatePath(), QSettings::IniFormat).value(FolderKey(kind)).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void KeepFolder(QORFileKind kind, const QString& chosenFile) {
    QSettings(UserStatePath(), QSettings::IniFormat)
        .setValue(FolderKey(kind), QFileInfo(chosenFile).absolutePath());
}

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, QORFileKind kind,
                                            QFileDialog::AcceptMode mode, const QString& proposed) {
    auto dialog = std::make_unique<QFileDialog>(parent);
    // The desktop's own dialog would speak the desktop's language.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setLocale(QLocale());
    dialog->setProxyModel(new GameDates(dialog.get()));
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    const bool game = kind == QORFileKind::Game;
    dialog->setNameFilters({game ? QCoreApplication::translate("QORFileDialog", "Игры (*.cube)")
                                 : QStringLiteral("CSV (*.csv)"),
                            QCoreApplication::translate("QORFileDialog", "Все файлы (*)")});
    dialog->setDefaultSuffix(game ? QStringLiteral("cube") : QStringLiteral("csv"));
    // A game save replaces its file without asking, as it always has.
    dialog->setOption(QFileDialog::DontConfirmOverwrite, game);
    // The folder is the one kept for the kind; of a proposal, only the name counts.
    dialog->setDirectory(KeptFolder(kind));
    if (!proposed.isEmpty())
        dialog->selectFile(QFileInfo(proposed).fileName());
    return dialog;
}

QString AskFile(QFileDialog& dialog, QORFileKind kind) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().first();
    KeepFolder(kind, chosen);
    return chosen;
}
