#include "ui/FileDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

namespace {
QStringList& queued()
{
    static QStringList q;
    return q;
}
QString& lastFilterText()
{
    static QString f;
    return f;
}
QString& firstOpenFolder()
{
    static QString f;
    return f;
}
bool& answering()
{
    static bool a = false;
    return a;
}

/// The toolkit's dialog, except that an open dialog takes an existing file whose name has no
/// extension ("aus_dem_erm") as it is, instead of appending the default extension to it.
class FileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    void accept() override
    {
        if (acceptMode() == AcceptOpen && !defaultSuffix().isEmpty())
            if (auto* edit = findChild<QLineEdit*>("fileNameEdit")) {
                const QString typed = edit->text().trimmed();
                if (!typed.isEmpty() && QFileInfo(directory().filePath(typed)).isFile()) setDefaultSuffix({});
            }
        QFileDialog::accept();
    }
};

QString ask(QWidget* parent, const QString& pipeFilter, const QString& defaultExtension, bool save)
{
    lastFilterText() = pipeFilter;
    if (answering()) {
        if (queued().isEmpty()) return {};
        return queued().takeFirst();
    }
    const auto dialog = filedialogs::makeDialog(parent, pipeFilter, defaultExtension, save);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
    return dialog->selectedFiles().first();
}
} // namespace

std::unique_ptr<QFileDialog> filedialogs::makeDialog(QWidget* parent, const QString& pipeFilter,
                                                     const QString& defaultExtension, bool save)
{
    auto dialog = std::make_unique<FileDialog>(parent);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setNameFilter(qtFilter(pipeFilter));
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QString ext = defaultExtension;
    ext.remove("*").remove(".");
    if (!ext.isEmpty()) dialog->setDefaultSuffix(ext);
    if (!save && !firstOpenFolder().isEmpty()) {
        dialog->setDirectory(firstOpenFolder());
        firstOpenFolder().clear();
    }
    return dialog;
}

QString filedialogs::samplesFolder()
{
    const QString program = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {program + "/samples", program + "/../share/gridmend/samples",
                                     QStringLiteral(GRIDMEND_SOURCE_DIR "/samples")})
        if (QFileInfo(candidate).isDir()) return QDir(candidate).canonicalPath();
    return {};
}

void filedialogs::setFirstOpenFolder(const QString& folder)
{
    firstOpenFolder() = folder;
}

QString filedialogs::qtFilter(const QString& pipeFilter)
{
    const QStringList parts = pipeFilter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ').replace(',', ' ');
        out << QString("%1 (%2)").arg(parts[i], patterns.simplified());
    }
    return out.join(";;");
}

QString filedialogs::openFile(QWidget* parent, const QString& pipeFilter, const QString& defaultExtension)
{
    return ask(parent, pipeFilter, defaultExtension, false);
}

QString filedialogs::saveFile(QWidget* parent, const QString& pipeFilter, const QString& defaultExtension)
{
    return ask(parent, pipeFilter, defaultExtension, true);
}

void filedialogs::queueAnswers(const QStringList& paths)
{
    answering() = true;
    queued() = paths;
}

QString filedialogs::lastFilter()
{
    return lastFilterText();
}
