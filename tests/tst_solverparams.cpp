#include "app/MainWindow.h"
#include "app/SolverParamsDialog.h"
#include "ui/ErrorWindow.h"
#include "ui/Modal.h"
#include "ModalRecorder.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void type(QDialog& d, const char* name, const QString& text)
{
    auto* edit = d.findChild<QLineEdit*>(name);
    ASSERT_NE(edit, nullptr) << name;
    edit->setText(text);
}

} // namespace

TEST(SolverParamsDialog, SubmitShowsTheRightWindowAndStoresOnlyValidEntries)
{
    {
        MainWindow w;
        SolverParamsDialog d(w.session(), w);
        for (auto [name, text] : {std::pair{"rowsEdit", "100"}, {"columnsEdit", "100"}, {"lsqrEdit", "10"},
                                  {"laplacianEdit", "100"}, {"refiningEdit", "10"}, {"scaleEdit", "1.0"}})
            EXPECT_EQ(d.findChild<QLineEdit*>(name)->text(), text) << name;   // the defaults a user starts from
    }
    struct Case {
        const char* rows;
        const char* scale;
        const char* lsqr;
        QString expected;   // empty = accepted
    };
    const QString range = "Error!: All entries must be greater than zero.\nYou must have at least 4 rows\nand at least 4 columns.";
    const Case cases[] = {
        {"4", "1.0", "0", ""},
        {"3", "1.0", "0", range},
        {"10", "0", "5", ""},
        {"10", "-1", "5", range},
        {"1e2", "1.0", "5", "Conversion Error: Text box entry must be an integer!"},
        {"10", "abc", "5", "Conversion Error: Text box entry must be a double!"},
        {"", "1.0", "5", "Error!: Please enter a value in each text box."},
    };
    for (const Case& c : cases) {
        MainWindow w;
        SolverParamsDialog d(w.session(), w);
        ModalRecorder rec;
        d.setSizeEntriesEnabled(true);
        type(d, "rowsEdit", c.rows);
        type(d, "scaleEdit", c.scale);
        type(d, "lsqrEdit", c.lsqr);
        d.show();
        QTest::mouseClick(d.findChild<QPushButton*>("submitButton"), Qt::LeftButton);
        if (c.expected.isEmpty()) {
            EXPECT_TRUE(rec.shown.isEmpty()) << c.rows;
            EXPECT_EQ(d.result(), int(QDialog::Accepted));
            EXPECT_EQ(w.session().rowsText, c.rows);
            EXPECT_TRUE(w.session().parametersSubmitted);
        } else {
            EXPECT_EQ(rec.shown, QStringList{c.expected}) << c.rows;
            EXPECT_TRUE(w.session().rowsText.empty());
            EXPECT_FALSE(w.session().parametersSubmitted);
            EXPECT_TRUE(d.isVisible());
        }
    }
}

TEST(SolverParamsDialog, RequestConvertsAfterSubmitAndNotAfterCancel)
{
    MainWindow w;
    SolverParamsDialog d(w.session(), w);
    // Submit: the answerer types the counts and clicks Submit.
    modal::setAnswerer([&](QDialog& dialog) {
        if (&dialog != &d) return int(QDialog::Accepted);
        type(d, "lsqrEdit", "0");
        type(d, "laplacianEdit", "25");
        type(d, "scaleEdit", "2.0");
        d.submit();
        return d.result();
    });
    EXPECT_TRUE(d.requestSolverParameters());
    EXPECT_FALSE(d.findChild<QLineEdit*>("rowsEdit")->isEnabled());
    EXPECT_EQ(w.session().laplacianIterations, 25);
    EXPECT_EQ(w.session().lsqrIterations, 0);
    EXPECT_EQ(w.session().scaleFactor, 2.0);

    // Cancel: nothing is converted and the size boxes are enabled again.
    w.session().laplacianIterations = -7;
    modal::setAnswerer([&](QDialog& dialog) {
        if (&dialog == &d) d.cancel();
        return d.result();
    });
    EXPECT_FALSE(d.requestSolverParameters());
    EXPECT_FALSE(w.session().parametersAccepted);
    EXPECT_EQ(w.session().laplacianIterations, -7);
    EXPECT_TRUE(d.findChild<QLineEdit*>("rowsEdit")->isEnabled());
    modal::setAnswerer({});
}

