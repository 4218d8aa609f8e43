// The program's windows with a real SRTM tile crop at hand: opens files
// through the main window's "&Open" and answers every modal window by its
// object name, recording what was shown ("caption: text" for message boxes,
// "Error!: text" for error windows, the caption for other dialogs).
#pragma once

#include "app/MainWindow.h"
#include "app/WindowRegistry.h"
#include "formats/SrtmHgt.h"
#include "graphics/GraphicsWindow.h"
#include "ui/ErrorWindow.h"
#include "ui/FileDialogs.h"
#include "ui/Modal.h"
#include "TestFiles.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>
#include <map>

/// The crop of N49E011.hgt in tests/data: 101 x 101 postings with a 3 x 3 void at rows 44-46, columns 43-45.
inline const char* const kTileCrop = "crop_N49E011.hgt";
inline constexpr int kCropSide = 101;

inline IntGrid readTileFile(const std::string& path)
{
    NullReporter quiet;
    auto tile = readSrtmTile(path, quiet);
    return tile ? *tile : IntGrid();
}

struct SrtmWindowFixture : ::testing::Test {
    WindowRegistry registry{WindowRegistry::Options{false}};
    MainWindow& m = registry.mainWindow();
    GraphicsWindow& g = *m.graphicsWindow();
    GraphicsModel& model = g.model();
    QStringList shown;
    /// Texts typed into the boxes of a dialog before its "Submit": object name of the dialog ->
    /// (object name of the box -> text).
    std::map<QString, std::map<QString, QString>> entries;
    /// Answers for dialogs not answered by Submit (object name -> handler).
    std::map<QString, std::function<int(QDialog&)>> handlers;

    void SetUp() override
    {
        m.beepPauseMs = 0;
        entries["dataEntryForm"] = {{"lsqrEdit", "0"}, {"laplacianEdit", "300"}, {"refiningEdit", "0"}};
        modal::setAnswerer([this](QDialog& d) {
            if (auto* box = qobject_cast<QMessageBox*>(&d)) {
                shown << box->windowTitle() + ": " + box->text();
                return int(QDialog::Accepted);
            }
            if (auto* e = qobject_cast<ErrorWindow*>(&d)) {
                shown << "Error!: " + e->text();
                return int(QDialog::Accepted);
            }
            shown << d.windowTitle();
            if (auto h = handlers.find(d.objectName()); h != handlers.end()) return h->second(d);
            for (const auto& [box, text] : entries[d.objectName()]) {
                auto* edit = d.findChild<QLineEdit*>(box);
                EXPECT_TRUE(edit) << box.toStdString();
                if (edit) edit->setText(text);
            }
            if (auto* submit = d.findChild<QPushButton*>("submitButton")) submit->click();
            return d.result();
        });
    }
    void TearDown() override
    {
        modal::setAnswerer({});
        filedialogs::queueAnswers({});
    }
    QStringList log() const { return m.diagnosticsLog()->toPlainText().split('\n'); }
    void open(const std::string& path)
    {
        filedialogs::queueAnswers({QString::fromStdString(path)});
        m.action("actionOpen")->trigger();
    }
    void trigger(const char* graphicsAction) { g.action(graphicsAction)->trigger(); }
    void saveFrom(QAction* action, const std::string& path)
    {
        filedialogs::queueAnswers({QString::fromStdString(path)});
        action->trigger();
    }
};
