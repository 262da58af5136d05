#pragma once
// Holds the tree control's redrawing for a scope and resumes it on every way out, a
// view that throws while mirroring a change included.
#include "CV2MainFrm/MainView.h"

namespace cv2 {

class RedrawSuspension {
public:
    explicit RedrawSuspension(MainView& view) : view_(view) { view_.SuspendTreeRedraw(); }
    ~RedrawSuspension() { view_.ResumeTreeRedraw(); }
    RedrawSuspension(const RedrawSuspension&) = delete;
    RedrawSuspension& operator=(const RedrawSuspension&) = delete;

private:
    MainView& view_;
};

}  // namespace cv2
