#include "FileDialog.h"

#include "Language.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QLocale>
#include <algorithm>
#include <iterator>

namespace {

// The columns of Qt's file list.
constexpr int kSizeColumn = 1;
constexpr int kTypeColumn = 2;
constexpr int kDateColumn = 3;

constexpr const char* kFolder = QT_TRANSLATE_NOOP("Tesselet", "Папка");
constexpr const char* kSizeUnits[] = {
    QT_TRANSLATE_NOOP("Tesselet", "%1 байт"), QT_TRANSLATE_NOOP("Tesselet", "%1 КБ"),
    QT_TRANSLATE_NOOP("Tesselet", "%1 МБ"),   QT_TRANSLATE_NOOP("Tesselet", "%1 ГБ"),
    QT_TRANSLATE_NOOP("Tesselet", "%1 ТБ"),
};

QString SizeText(qint64 bytes) {
    const QLocale locale;
    std::size_t unit = 0;
    auto value = static_cast<double>(bytes);
    while (value >= 1024 && unit + 1 < std::size(kSizeUnits)) {
        value /= 1024;
        ++unit;
    }
    return Tr(kSizeUnits[unit])
        .arg(unit == 0 ? locale.toString(bytes) : locale.toString(value, 'f', 2));
}

/// Qt's file list writes sizes and dates in the system's locale and leaves "Folder" untranslated,
/// so a Russian run under a German or C locale would mix three languages. Here they are said in
/// the run's language (the default locale, see InstallTranslations); the names of file types
/// already follow it.
class RunLanguageColumns final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || files == nullptr)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        switch (index.column()) {
        case kSizeColumn:
            return files->isDir(source) ? QString() : SizeText(files->size(source));
        case kTypeColumn:
            if (files->isDir(source))
                return Tr(kFolder);
            break;
        case kDateColumn:
            return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        default:
            break;
        }
        return QIdentityProxyModel::data(index, role);
    }
};

/// The extension a file type gives its files: ".mail.htm" for "… (*.mail.htm)"; empty for a type
/// of several patterns or of any name.
QString TypeExtension(const QString& type) {
    const qsizetype open = type.lastIndexOf(u'(');
    if (open < 0 || !type.endsWith(u')'))
        return {};
    const QStringList patterns =
        type.sliced(open + 1, type.size() - open - 2).split(u' ', Qt::SkipEmptyParts);
    if (patterns.size() != 1 || !patterns[0].startsWith(QStringLiteral("*.")))
        return {};
    const QString extension = patterns[0].mid(1);
    return extension.contains(u'*') || extension.contains(u'?') ? QString() : extension;
}

} // namespace

// Qt's dialog speaks QString; the program's names are bytes, turned once at this edge.
std::string FileDialog::SelectedFile() const {
    return QFile::encodeName(mSelectedFile).toStdString();
}

void FileDialog::FileTypes(const std::vector<FileType>& types) {
    mFilters.clear();
    for (const FileType& type : types)
        mFilters << (type.patterns.isEmpty() ? QString()
                                             : type.label + QStringLiteral(" (") +
                                                   type.patterns.join(u' ') + QStringLiteral(")"));
}

void FileDialog::DefaultFileName(const std::string& path) {
    mDefaultFileName = QFile::decodeName(QByteArray::fromStdString(path));
}

void FileDialog::InitialFolder(const std::string& folder) {
    mInitialFolder = QFile::decodeName(QByteArray::fromStdString(folder));
}

bool FileDialog::ShowOpen() {
    return Show(false);
}

bool FileDialog::ShowSave() {
    return Show(true);
}

bool FileDialog::Show(bool save) {
    QFileDialog dialog(mOwner);
    // Qt's own dialog, not the desktop's: the desktop's speaks the desktop's language, Qt's the
    // run's, and only in Qt's can the proposed name follow the chosen type.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new RunLanguageColumns(&dialog));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QStringList types = mFilters;
    types.removeAll(QString());
    if (!types.isEmpty())
        dialog.setNameFilters(types);
    if (const QString offered = mFilters.value(mFilterIndex); !offered.isEmpty())
        dialog.selectNameFilter(offered);

    // The remembered folder wins over the folder of the proposed name: remembering it would be
    // pointless otherwise. The proposed name keeps its own folder only while nothing is remembered.
    const bool remembered = !mInitialFolder.isEmpty() && QDir(mInitialFolder).exists();
    if (remembered)
        dialog.setDirectory(mInitialFolder);
    if (save && !mDefaultFileName.isEmpty()) {
        if (remembered)
            dialog.selectFile(QFileInfo(mDefaultFileName).fileName());
        else
            dialog.selectFile(mDefaultFileName);
    }

    if (save)
        FollowChosenType(dialog);

    if (dialog.exec() != QDialog::Accepted)
        return false;
    mSelectedFile = dialog.selectedFiles().value(0);
    if (mSelectedFile.isEmpty())
        return false;
    mSelectedFilterIndex =
        types.isEmpty() ? -1
                        : static_cast<std::int32_t>(mFilters.indexOf(dialog.selectedNameFilter()));
    return true;
}

void FileDialog::FollowChosenType(QFileDialog& dialog) const {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (edit == nullptr)
        return;
    QStringList extensions;
    for (const QString& type : mFilters)
        if (const QString extension = TypeExtension(type); !extension.isEmpty())
            extensions << extension;
    // ".compact.htm" before ".htm", should a type ever be named so.
    std::sort(extensions.begin(), extensions.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    const auto follow = [edit, extensions, proposed = edit->text()](const QString& type) mutable {
        // A name the user typed or picked is theirs, left as it is. Qt's dialog itself has put
        // the type's last suffix in place of the name's (".HTM" for "HTML файлы"): a name that
        // differs from the proposed one by that alone is still the proposed one.
        if (edit->text().compare(proposed, Qt::CaseInsensitive) != 0)
            return;
        // A type of several extensions or of any name keeps the name as it was proposed.
        const QString extension = TypeExtension(type);
        for (const QString& own : extensions) {
            if (!extension.isEmpty() && proposed.size() > own.size() &&
                proposed.endsWith(own, Qt::CaseInsensitive)) {
                proposed = proposed.chopped(own.size()) + extension;
                break;
            }
        }
        edit->setText(proposed);
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, edit, follow);
}
