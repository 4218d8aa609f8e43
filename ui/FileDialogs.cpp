#include "ui/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

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
bool& answering()
{
    static bool a = false;
    return a;
}

QString ask(QWidget* parent, const QString& pipeFilter, const QString& defaultExtension, bool save)
{
    lastFilterText() = pipeFilter;
    if (answering()) {
        if (queued().isEmpty()) return {};
        return queued().takeFirst();
    }
    QFileDialog dialog(parent);
    dialog.setNameFilter(filedialogs::qtFilter(pipeFilter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QString ext = defaultExtension;
    ext.remove("*").remove(".");
    if (!ext.isEmpty()) dialog.setDefaultSuffix(ext);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}
} // namespace

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
