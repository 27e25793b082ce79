// A few minutes of use in one run: pop-ups that match and pop-ups that do not, opened at random
// moments, a hung window on the desktop, and keywords added, edited and deleted through the
// dialogs. Prints what it saw and Quellix's resource figures; exits non-zero on any fault.
// Started by tools/run-soak, not by the test command.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "support/process_figures.h"
#include "support/user_actions.h"

namespace quellix::test {
namespace {

// Keywords come from the first pool; no title of the second holds any of them, nor does the hung
// window's or Quellix's own caption.
const std::vector<std::wstring> kKeywordPool{L"casino", L"lottery", L"jackpot", L"sweepstake", L"giveaway",
                                             L"bonus", L"prize", L"survey", L"coupon", L"bargain"};
const std::vector<std::wstring> kNeutralTitles{L"Morning News", L"Quarterly Report", L"Weather Today",
                                               L"Train Times", L"Recipe Book", L"Holiday Photos"};

using Figures = ProcessFigures;

Figures Measure(HANDLE process) { return MeasureProcess(process); }

void Print(const char* when, const Figures& f) {
    std::printf("%-6s handles %lu, USER objects %lu, GDI objects %lu, working set %.0f KiB\n", when, f.handles,
                f.userObjects, f.gdiObjects, static_cast<double>(f.workingSet) / 1024.0);
}

std::string FileBytes(const std::vector<std::wstring>& keywords) {
    std::string bytes;
    for (const auto& k : keywords) bytes += std::string(k.begin(), k.end()) + "\r\n";
    return bytes;
}

class Soak {
public:
    explicit Soak(unsigned seed) : random_(seed) {}

    int Run(std::chrono::seconds length) {
        keywords_ = {L"casino", L"lottery"};
        QuellixProcess quellix(FileBytes(keywords_));
        if (!quellix.Started() || !quellix.ShowFromTray()) return Fail("Quellix did not start");
        quellix_ = &quellix;
        HungWindow hung(L"Unresponsive Tool", static_cast<DWORD>(length.count() * 1000 + 5000));
        PumpFor(2000);
        const Figures before = Measure(quellix.Process());

        const auto end = std::chrono::steady_clock::now() + length;
        auto nextEdit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < end && faults_ == 0) {
            OpenPopup();
            PumpFor(Between(50, 400));
            Retire();
            if (std::chrono::steady_clock::now() >= nextEdit) {
                EditOnce();
                nextEdit = std::chrono::steady_clock::now() + std::chrono::seconds(Between(8, 15));
            }
        }
        WaitUntil([&] { return AllMatchingClosed(); }, kGenerous);
        Retire();
        for (const auto& p : matching_) {
            if (!p->Closed()) Fail("a matching pop-up stayed open");
        }
        PumpFor(2000);
        const Figures after = Measure(quellix.Process());
        if (quellix.ReadKeywordFile() != FileBytes(keywords_)) Fail("keyword file differs from the expected list");
        if (quellix.ListItems() != keywords_) Fail("list differs from the expected list");

        std::printf("ran %lld s: %d matching pop-ups closed (median %lu ms, slowest %lu ms), %d others left alone, "
                    "%d edits through the dialogs\n",
                    static_cast<long long>(length.count()), closedCount_, Median(), Slowest(), neutralCount_,
                    edits_);
        Print("start", before);
        Print("end", after);
        if (after.handles > before.handles + 8) Fail("handle count grew");
        // Wine reports no USER or GDI object counts (0); Windows does.
        if (after.userObjects > before.userObjects + 8 || after.gdiObjects > before.gdiObjects + 8)
            Fail("USER or GDI objects grew");
        if (after.workingSet > before.workingSet + before.workingSet / 4 + 512 * 1024) Fail("working set grew");
        std::printf("soak: %s\n", faults_ == 0 ? "no faults" : "FAILED");
        return faults_ == 0 ? 0 : 1;
    }

private:
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    template <class T>
    const T& Pick(const std::vector<T>& from) {
        return from[static_cast<std::size_t>(Between(0, static_cast<int>(from.size()) - 1))];
    }

    int Fail(const char* what) {
        std::printf("FAULT: %s\n", what);
        ++faults_;
        return 1;
    }

    void OpenPopup() {
        if (Between(0, 2) == 0 && !keywords_.empty()) {
            std::wstring keyword = Pick(keywords_);
            keyword[0] = static_cast<wchar_t>(::towupper(keyword[0]));
            matching_.push_back(std::make_unique<TestPopup>(L"Free " + keyword + L" Today"));
            opened_.push_back(::GetTickCount());
        } else {
            neutral_.push_back(std::make_unique<TestPopup>(Pick(kNeutralTitles)));
            ++neutralCount_;
        }
    }

    // Closed matching pop-ups are counted; pop-ups that do not match are closed by the driver
    // after a while, and must never have been asked to close by Quellix.
    void Retire() {
        for (std::size_t i = 0; i < matching_.size();) {
            if (matching_[i]->Closed()) {
                latencies_.push_back(matching_[i]->ClosedAt() - opened_[i]);
                ++closedCount_;
                matching_.erase(matching_.begin() + static_cast<long>(i));
                opened_.erase(opened_.begin() + static_cast<long>(i));
            } else if (::GetTickCount() - opened_[i] > kGenerous) {
                Fail("a matching pop-up was not closed in time");
                ++i;
            } else {
                ++i;
            }
        }
        while (neutral_.size() > 6) {
            if (neutral_.front()->CloseRequests() != 0) Fail("a pop-up that matches no keyword was asked to close");
            neutral_.erase(neutral_.begin());
        }
    }

    bool AllMatchingClosed() const {
        return std::all_of(matching_.begin(), matching_.end(), [](const auto& p) { return p->Closed(); });
    }

    // One add, edit or delete through the main window, as a user does it.
    void EditOnce() {
        WaitUntil([&] { return AllMatchingClosed(); }, kGenerous);
        Retire();
        const int action = keywords_.size() < 2 ? 0 : (keywords_.size() > 5 ? 2 : Between(0, 2));
        std::vector<std::wstring> unused;
        for (const auto& k : kKeywordPool) {
            if (std::find(keywords_.begin(), keywords_.end(), k) == keywords_.end()) unused.push_back(k);
        }
        const std::wstring fresh = Pick(unused);
        if (action == 0) {
            if (!Submit(OpenDialog(*quellix_, L"&Add", kAddCaption), fresh)) return;
            keywords_.push_back(fresh);
        } else {
            const int index = Between(0, static_cast<int>(keywords_.size()) - 1);
            quellix_->Select(index);
            if (action == 1) {
                const std::wstring caption = L"Change '" + keywords_[static_cast<std::size_t>(index)] + L"' to";
                if (!Submit(OpenDialog(*quellix_, L"&Edit", caption), fresh)) return;
                keywords_[static_cast<std::size_t>(index)] = fresh;
            } else {
                Press(quellix_->Button(L"&Delete"));
                keywords_.erase(keywords_.begin() + index);
            }
        }
        ++edits_;
        if (!quellix_->ListShows(keywords_)) {
            std::printf("after %s: expected", action == 0 ? "add" : action == 1 ? "edit" : "delete");
            for (const auto& k : keywords_) std::printf(" %ls", k.c_str());
            std::printf(", listed");
            for (const auto& k : quellix_->ListItems()) std::printf(" %ls", k.c_str());
            std::printf("\nfile: %s temp.zap %d\n", quellix_->ReadKeywordFile().value_or("<none>").c_str(), quellix_->FileExists(L"temp.zap"));
            Fail("list not updated");
        }
    }

    bool Submit(HWND dialog, const std::wstring& text) {
        if (!dialog) return Fail("dialog did not open") == 0;
        return test::Submit(dialog, text) || Fail("dialog did not close") == 0;
    }

    DWORD Median() {
        if (latencies_.empty()) return 0;
        std::sort(latencies_.begin(), latencies_.end());
        return latencies_[latencies_.size() / 2];
    }
    DWORD Slowest() const { return latencies_.empty() ? 0 : *std::max_element(latencies_.begin(), latencies_.end()); }

    std::mt19937 random_;
    QuellixProcess* quellix_ = nullptr;
    std::vector<std::wstring> keywords_;
    std::vector<std::unique_ptr<TestPopup>> matching_;
    std::vector<DWORD> opened_;
    std::vector<std::unique_ptr<TestPopup>> neutral_;
    std::vector<DWORD> latencies_;
    int closedCount_ = 0;
    int neutralCount_ = 0;
    int edits_ = 0;
    int faults_ = 0;
};

}  // namespace
}  // namespace quellix::test

int main(int argc, char** argv) {
    const long seconds = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 180;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : ::GetTickCount();
    std::printf("soak: %ld s, seed %u, %d-bit build\n", seconds, seed, static_cast<int>(sizeof(void*) * 8));
    std::fflush(stdout);
    return quellix::test::Soak(seed).Run(std::chrono::seconds(seconds));
}
