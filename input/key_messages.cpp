#include "input/key_messages.h"

namespace gkr {

namespace {

const wchar_t* OperationText(KeyOperation operation) {
    switch (operation) {
    case KeyOperation::BackUp:
        return L"키 설정을 백업하지 못했습니다.";
    case KeyOperation::Restore:
        return L"선택한 키 설정으로 되돌리지 못했습니다. 게임의 키 설정 파일은 그대로입니다.";
    case KeyOperation::Delete:
        return L"선택한 키 설정 백업을 삭제하지 못했습니다.";
    case KeyOperation::SetDefault:
        return L"기본 키 설정을 정하지 못했습니다.";
    }
    return L"";
}

const wchar_t* ReasonText(KeyResult result) {
    switch (result) {
    case KeyResult::Done:
        return nullptr;
    case KeyResult::NoInstallFolder:
        return L"게임이 설치된 폴더를 찾을 수 없습니다.";
    case KeyResult::PathTooLong:
        return L"폴더 경로가 너무 깁니다.";
    case KeyResult::NoFolder:
        return L"백업 폴더(key)를 만들거나 열 수 없습니다.";
    case KeyResult::NoSource:
        return L"복사할 파일이 없습니다 (게임의 keyconfig.cfg 또는 백업 파일).";
    case KeyResult::CopyFailed:
        return L"파일을 쓸 수 없습니다. 게임이 파일을 사용 중이거나, 읽기 전용이거나, 디스크가 가득 찼습니다.";
    case KeyResult::NoNumber:
        return L"남은 백업 번호가 없습니다.";
    case KeyResult::InUse:
        return L"시작할 때 만든 백업이 아직 되돌려지지 않았습니다.";
    case KeyResult::DeleteFailed:
        return L"백업 파일을 지울 수 없습니다.";
    case KeyResult::BadName:
        return L"이름에 저장할 수 없는 글자가 있습니다.";
    case KeyResult::NothingSelected:
        return L"목록에서 백업을 먼저 선택해 주세요.";
    }
    return L"";
}

}  // namespace

std::wstring KeyFailureText(KeyOperation operation, KeyResult result) {
    const wchar_t* reason = ReasonText(result);
    if (!reason) return std::wstring();
    return std::wstring(OperationText(operation)) + L"\n" + reason;
}

}  // namespace gkr
