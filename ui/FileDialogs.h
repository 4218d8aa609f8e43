// Open and save file dialogs with the program's filter strings
// ("text|*.txt|data|*.dat": description and pattern alternating).
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QFileDialog;

class QWidget;

namespace filedialogs {

/// "text|*.txt|data|*.dat" -> "text (*.txt);;data (*.dat)".
QString qtFilter(const QString& pipeFilter);

/// The chosen path, or an empty string when the dialog was cancelled.
QString openFile(QWidget* parent, const QString& pipeFilter, const QString& defaultExtension);
QString saveFile(QWidget* parent, const QString& pipeFilter, const QString& defaultExtension);

/// The dialog openFile and saveFile show (the toolkit's own, not the platform's): the filter,
/// the default extension (appended to a typed name without one, except that an open dialog
/// takes an existing file whose name has no extension, such as "aus_dem_erm", as it is).
std::unique_ptr<QFileDialog> makeDialog(QWidget* parent, const QString& pipeFilter, const QString& defaultExtension,
                                        bool save);

/// The folder of sample data: "samples" next to the executable, share/gridmend/samples of an
/// installed copy (beside its bin folder), or the source tree's; empty when none exists.
QString samplesFolder();
/// The next open dialog (only that one) starts in this folder; later ones start where the
/// previous one ended, as the toolkit's dialogs do.
void setFirstOpenFolder(const QString& folder);

/// Tests answer the following dialogs from this queue instead of a person
/// (an empty string means Cancel); the request is recorded in lastFilter().
void queueAnswers(const QStringList& paths);
QString lastFilter();

} // namespace filedialogs
