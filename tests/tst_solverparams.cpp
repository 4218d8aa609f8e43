#include "app/MainWindow.h"
#include "app/SolverParamsDialog.h"
#include "ModalRecorder.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

void type(QDialog& d, const char* name, const QString& text) { d.findChild<QLineEdit*>(name)->setText(text); }

} // namespace

// The form as a user meets it: its starting texts, each refusal's window with the form kept open, a
// Submit that stores; then the four-box request: Submit converts, Cancel converts nothing.
TEST(SolverParamsDialog, RefusalsKeepTheFormOpenAndOnlyASubmitConverts)
{
    MainWindow w;
    SolverParamsDialog d(w.session(), w);
    QStringList texts;
    for (const char* name : {"rowsEdit", "columnsEdit", "lsqrEdit", "laplacianEdit", "refiningEdit", "scaleEdit"})
        texts << d.findChild<QLineEdit*>(name)->text();
    EXPECT_EQ(texts, (QStringList{"100", "100", "10", "100", "10", "1.0"}));
    ModalRecorder rec;
    std::vector<int> results;
    rec.answer = [&](QDialog&) {
        for (auto [rows, scale, lsqr] : {std::tuple{"", "1.0", "5"}, {"3", "1.0", "0"}, {"1e2", "1.0", "5"},
                                         {"10", "abc", "5"}, {"4", "1.0", "0"}}) {
            type(d, "rowsEdit", rows), type(d, "scaleEdit", scale), type(d, "lsqrEdit", lsqr);
            d.findChild<QPushButton*>("submitButton")->click();
            results.push_back(d.result());
        }
        return d.result();
    };
    d.showModal(false);
    EXPECT_EQ(rec.shown.mid(1),
              (QStringList{"Error!: Please enter a value in each text box.",
                           "Error!: All entries must be greater than zero.\nYou must have at least 4 rows\n"
                           "and at least 4 columns.",
                           "Conversion Error: Text box entry must be an integer!",
                           "Conversion Error: Text box entry must be a double!"}));
    EXPECT_EQ(std::pair(results, w.session().rowsText), std::pair(std::vector<int>{0, 0, 0, 0, 1}, std::string("4")));

    rec.answer = [&](QDialog&) {
        type(d, "lsqrEdit", "0"), type(d, "laplacianEdit", "25"), type(d, "scaleEdit", "2.0");
        d.submit();
        return d.result();
    };
    EXPECT_TRUE(d.requestSolverParameters());
    EXPECT_EQ(std::tuple(d.findChild<QLineEdit*>("rowsEdit")->isEnabled(), w.session().laplacianIterations,
                         w.session().lsqrIterations, w.session().scaleFactor),
              std::tuple(false, 25, 0, 2.0));
    w.session().laplacianIterations = -7;   // Cancel: nothing converted, the size boxes enabled again
    rec.answer = [&](QDialog&) { return d.cancel(), d.result(); };
    EXPECT_FALSE(d.requestSolverParameters());
    EXPECT_EQ(std::tuple(w.session().parametersAccepted, w.session().laplacianIterations,
                         d.findChild<QLineEdit*>("rowsEdit")->isEnabled()),
              std::tuple(false, -7, true));
}
