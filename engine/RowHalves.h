// Work over the rows of a grid in two fixed halves, [0, rows / 2) and [rows / 2, rows), the second
// on a worker thread when there is one. The split never depends on the worker: a sum formed per
// half and then added in order has the same bits with or without it.
#pragma once

#include "engine/BackgroundWorker.h"

#include <memory>
#include <system_error>

class RowHalves {
public:
    explicit RowHalves(bool worker)
    {
        if (!worker) return;
        try {
            worker_ = std::make_unique<BackgroundWorker>();
        } catch (const std::system_error&) {   // no thread to be had: both halves run here
        }
    }

    /// f(first, last, half) for both halves; the second on the worker when there is one and
    /// parallel holds. Returns when both are done.
    template <class F>
    void run(int rows, bool parallel, F&& f)
    {
        const int mid = rows / 2;
        if (parallel && worker_) {
            worker_->start([&f, mid, rows] { f(mid, rows, 1); });
            struct Join {   // the worker's half refers to this frame: wait for it even on a throw
                BackgroundWorker& worker;
                ~Join() { worker.wait(); }
            } join{*worker_};
            f(0, mid, 0);
        } else {
            f(0, mid, 0);
            f(mid, rows, 1);
        }
    }

private:
    std::unique_ptr<BackgroundWorker> worker_;
};
