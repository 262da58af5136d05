#pragma once
// Native implementations of the ports that the core's tests use against the real system.
#include <memory>

#include "base/FileSystem.h"

namespace cv2 {

std::unique_ptr<FileSystem> MakePosixFileSystem();

}  // namespace cv2
