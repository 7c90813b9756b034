// The progress window of the long midpoint reports, as core sees it: a window that is loaded with an
// empty bar, advanced, cleared and unloaded. The desktop program draws it; tests record the calls.
#pragma once

namespace talvenor {

class ProgressReporter {
  public:
    virtual ~ProgressReporter() = default;
    // The window is loaded (shown) with an empty bar.
    virtual void Load() {}
    // The bar is emptied again.
    virtual void Clear() {}
    // The bar is drawn to done / total (at most full); it only ever grows between two clears.
    virtual void ShowProgress(int done, int total) { (void)done, (void)total; }
    // The window goes away.
    virtual void Unload() {}
};

// For callers without a progress window.
inline ProgressReporter& NoProgress() {
    static ProgressReporter none;
    return none;
}

}  // namespace talvenor
