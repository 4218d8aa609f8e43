// The program's windows for tests that drive the graphics window as a user
// does: menu actions, modal dialogs answered by the test, clicks on the
// picture. Error windows and message boxes are recorded ("Error!: text",
// "Conversion Error: text"), other dialogs by caption and then answered.
#pragma once

#include "graphics/PictureView.h"
#include "ModalRecorder.h"
#include "MouseMoves.h"
#include "ProgramFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <map>

struct GraphicsWindowFixture : ProgramFixture {
    ModalRecorder modals;
    QStringList& shown = modals.shown;

    void SetUp() override { m.beepPauseMs = 0; }

    /// The log lines written since `from` lines were there.
    QStringList logSince(int from) const { return log().mid(from); }
    int logSize() const { return log().size(); }
    bool enabled(const char* action) const { return g.action(action)->isEnabled(); }
    void trigger(const char* action) { g.action(action)->trigger(); }
    /// Loads the picture and shows the window, as Open does.
    void load(const IntGrid& picture)
    {
        model.loadPicture(picture);
        g.show();
    }
    /// A click on the picture. Not at (0, 0), which QTest takes for the middle of the widget.
    void click(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(g.pictureView(), button, {}, QPoint(x, y));
    }
    /// Answers the next dialogs: fills the named text boxes and clicks the button.
    static int fill(QDialog& d, const std::map<QString, QString>& texts, const char* button = "submitButton")
    {
        for (const auto& [name, text] : texts)
            if (auto* edit = d.findChild<QLineEdit*>(name)) edit->setText(text);
            else ADD_FAILURE() << name.toStdString();
        if (auto* b = d.findChild<QPushButton*>(button)) b->click();
        return d.result();
    }
    void answerWith(std::map<QString, QString> texts, const char* button = "submitButton")
    {
        modals.answer = [texts, button](QDialog& d) { return fill(d, texts, button); };
    }
};
