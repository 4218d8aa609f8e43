// The shared dialog pieces: what a user sees for each entry typed into an entry
// dialog, and the "Error!" window.
#include "ui/EntryDialog.h"
#include "ui/ErrorWindow.h"
#include "ModalRecorder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <tuple>

TEST(EntryDialog, WhatEachEntryShowsAndWhetherItApplies)
{
    struct Row {
        QStringList typed;   // integer, real, hexadecimal boxes
        QStringList shown;
        std::vector<double> applied;   // empty: nothing applied, the dialog stays open
    };
    const QString empty = QString("Error!: ") + kEmptyEntryText;
    const Row rows[] = {
        {{"12", "2.5", "0x1F"}, {}, {12, 2.5, 31}},
        {{"", "2.5", "0x1"}, {empty}, {}},
        {{"abc", "", "0x1"}, {empty}, {}},   // every box is checked for emptiness before any conversion
        {{"3.5", "2.5", "0x1"}, {"Conversion Error: Text box entry must be an integer!"}, {}},
        {{"12", "half", "0x1"}, {"Conversion Error: the real-number text"}, {}},
        {{"1", "2.5", "0x1"}, {"Error!: first line\nsecond line"}, {}},   // out of range
    };
    for (const Row& row : rows) {
        ModalRecorder rec;
        EntryDialog d("Entry", {}, {{"a", "0", "a", EntryKind::Integer}, {"b", "0", "b", EntryKind::Real},
                                    {"c", "0", "c", EntryKind::Hex}});
        d.realConversionText = "the real-number text";
        d.rangeCheck = [](const std::vector<double>& v) {
            return v[0] == 1 ? QStringList{"first line", "second line"} : QStringList{};
        };
        std::vector<double> applied;
        d.apply = [&](const std::vector<double>& v, const QStringList&) { applied = v; };
        d.open();
        for (int i = 0; i < 3; ++i) d.edit(i)->setText(row.typed[i]);
        d.findChild<QPushButton*>("submitButton")->click();
        const std::string at = row.typed.join('|').toStdString();
        EXPECT_EQ(std::tuple(rec.shown, applied, d.isVisible(), d.texts()),
                  std::tuple(row.shown, row.applied, row.applied.empty(), row.typed))
            << at;   // the boxes keep what was typed
    }
}

TEST(ErrorWindow, ShowsItsLinesAndOkCloses)
{
    ErrorWindow w({"Bounding  box must have non zero area!", "Hold down mouse button"});
    EXPECT_EQ(w.findChild<QLabel*>()->text(), "Bounding  box must have non zero area!\nHold down mouse button");
    w.open();
    w.findChild<QPushButton*>("okButton")->click();
    EXPECT_EQ(std::pair(w.isVisible(), w.result()), std::pair(false, int(QDialog::Accepted)));
}
