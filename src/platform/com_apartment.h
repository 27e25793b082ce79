#pragma once
#include <windows.h>

namespace quellix {

// Makes the calling thread a single-threaded COM apartment while it lives. Screen readers reach the accessible
// objects the program hands out through it; without it they get the standard ones, unnamed where Windows names
// nothing. COM is found at run time, so the program imports no COM library. (Under Wine the thread is an apartment
// anyway, made by Wine's input-method support as the first window activates; Windows promises no such thing.)
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    using Uninitialize = void(WINAPI*)();
    Uninitialize uninitialize_ = nullptr;  // set once the thread entered the apartment, so it must leave it
};

}  // namespace quellix
