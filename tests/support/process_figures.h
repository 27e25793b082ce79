#pragma once
#include <windows.h>

#include <cstddef>

// What another process holds: figures that Wine reports right, taken the way that works on both.
namespace quellix::test {

struct ProcessFigures {
    DWORD handles = 0;
    DWORD userObjects = 0;  // Wine reports 0
    DWORD gdiObjects = 0;   // Wine reports 0
    std::size_t workingSet = 0;
};

ProcessFigures MeasureProcess(HANDLE process);

}  // namespace quellix::test
