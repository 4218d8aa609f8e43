// A Reporter for a worker thread: every call is posted to the thread of a
// context object (the user-interface thread) and made there on the target
// reporter, in the order the worker made them. Nothing arrives once the
// context object is gone.
#pragma once

#include "app/core/Reporter.h"

#include <QMetaObject>
#include <QObject>
#include <string>

class PostingReporter final : public Reporter {
public:
    PostingReporter(QObject& context, Reporter& target) : context_(context), target_(target) {}

    void log(std::string_view line) override
    {
        post([line = std::string(line)](Reporter& r) { r.log(line); });
    }
    void progressStart(int minimum, int maximum) override
    {
        post([=](Reporter& r) { r.progressStart(minimum, maximum); });
    }
    void progressStep() override { post([](Reporter& r) { r.progressStep(); }); }
    void progressHide() override { post([](Reporter& r) { r.progressHide(); }); }
    void notice(std::string_view caption, std::string_view text) override
    {
        post([c = std::string(caption), t = std::string(text)](Reporter& r) { r.notice(c, t); });
    }
    void completionSignal() override { post([](Reporter& r) { r.completionSignal(); }); }

private:
    template <class F>
    void post(F f)
    {
        Reporter* target = &target_;
        QMetaObject::invokeMethod(&context_, [target, f = std::move(f)] { f(*target); }, Qt::QueuedConnection);
    }

    QObject& context_;
    Reporter& target_;
};
