#pragma once

namespace quellix::bench {

// On a desktop like a real one (a second process holding its windows), measures and prints, for this build and
// today's build: how soon a matching window is closed, what the resident program costs at rest and while a window
// retitles itself, how often it opens its keyword file, how many walks and checks it makes, and how it weathers a
// storm of events.
void RunDesktopBenchmarks();

}  // namespace quellix::bench
