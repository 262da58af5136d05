#pragma once
// One ordered record of the calls that several fakes receive, so that a test can check
// the order across clipboard, windows and input.
#include <string>
#include <vector>

namespace cv2::fakes {

struct CallLog {
    std::vector<std::string> calls;
    void Add(std::string call) { calls.push_back(std::move(call)); }
    void Clear() { calls.clear(); }
};

}  // namespace cv2::fakes
