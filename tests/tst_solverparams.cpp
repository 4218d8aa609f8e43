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

void type(QDialog& d, const char* name, const QString& text) { d.findChild<QLineEdit*>(name)->setText(text); }

} // namespace

TEST(SolverParamsDialog, SubmitShowsTheRightWindowAndStoresOnlyValidEntries)
{
    {
        MainWindow w;
        SolverParamsDialog d(w.session(), w);
        QStringList texts;   // the defaults a user starts from
        for (const char* name : {"rowsEdit", "columnsEdit", "lsqrEdit", "laplacianEdit", "refiningEdit", "scaleEdit"})
            texts << d.findChild<QLineEdit*>(name)->text();
        EXPECT_EQ(texts, (QStringList{"100", "100", "10", "100", "10", "1.0"}));
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
        const bool ok = c.expected.isEmpty();
        EXPECT_EQ(std::tuple(rec.shown, d.result() == QDialog::Accepted, w.session().rowsText,
                             w.session().parametersSubmitted, d.isVisible()),
                  std::tuple(ok ? QStringList() : QStringList{c.expected}, ok, std::string(ok ? c.rows : ""), ok, !ok))
            << c.rows;
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
    EXPECT_EQ(std::tuple(d.findChild<QLineEdit*>("rowsEdit")->isEnabled(), w.session().laplacianIterations,
                         w.session().lsqrIterations, w.session().scaleFactor),
              std::tuple(false, 25, 0, 2.0));

    // Cancel: nothing is converted and the size boxes are enabled again.
    w.session().laplacianIterations = -7;
    modal::setAnswerer([&](QDialog& dialog) {
        if (&dialog == &d) d.cancel();
        return d.result();
    });
    EXPECT_FALSE(d.requestSolverParameters());
    EXPECT_EQ(std::tuple(w.session().parametersAccepted, w.session().laplacianIterations,
                         d.findChild<QLineEdit*>("rowsEdit")->isEnabled()),
              std::tuple(false, -7, true));
    modal::setAnswerer({});
}

