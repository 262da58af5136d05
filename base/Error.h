#pragma once
// The program's failures: an exception whose text is a Shift-JIS message.
//
// Loading is forgiving and most callers swallow these; whatever no handler catches reaches
// the general error report, which shows what() in a message box.
#include <stdexcept>
#include <string>

namespace cv2 {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& sjisMessage) : std::runtime_error(sjisMessage) {}
};

// "不正なインデックス": lookup by an absolute index that names no item.
class IndexError : public Error {
public:
    IndexError();
};

// "アイテムの挿入ができません": the view could not insert an item.
class InsertError : public Error {
public:
    InsertError();
};

}  // namespace cv2
