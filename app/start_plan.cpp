#include "app/start_plan.h"

#include <iterator>

namespace gkr {

bool RunStartSteps(StartSteps& steps) {
    static constexpr StartStep kOrder[] = {StartStep::Worker, StartStep::OverlayThread, StartStep::ManagerDialog};
    for (auto step = std::begin(kOrder); step != std::end(kOrder); ++step) {
        if (steps.Run(*step)) continue;
        for (auto done = step; done != std::begin(kOrder);) steps.Undo(*--done);
        steps.Report(StartFailureText(*step));
        return false;
    }
    return true;
}

const wchar_t* StartFailureText(StartStep step) {
    switch (step) {
    case StartStep::Worker:
        return L"GKRTimer를 시작하지 못했습니다.\n작업 스레드를 만들 수 없습니다.";
    case StartStep::OverlayThread:
        return L"GKRTimer를 시작하지 못했습니다.\n오버레이 스레드를 만들 수 없습니다.";
    case StartStep::ManagerDialog:
        return L"GKRTimer를 시작하지 못했습니다.\n관리자 창을 만들 수 없습니다.";
    }
    return L"GKRTimer를 시작하지 못했습니다.";
}

}  // namespace gkr
