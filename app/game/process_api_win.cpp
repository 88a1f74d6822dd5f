#include "app/game/process_api_win.h"

#include <tlhelp32.h>
#include <winternl.h>

#include <cstddef>

#include "app/game/game_process.h"
#include "app/framework/scoped_win.h"
#include "app/framework/system_library_win.h"

namespace gkr {

namespace {

constexpr ULONG kSystemProcessInformation = 5;
constexpr LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);

// A buffer from the process heap through the bound heap functions.
class QueryBuffer {
public:
    QueryBuffer(const ProcessApi& api, size_t size)
        : api_(api), heap_(api.getProcessHeap()), data_(heap_ ? api.heapAlloc(heap_, 0, size) : nullptr) {}
    ~QueryBuffer() {
        if (data_) api_.heapFree(heap_, 0, data_);
    }
    QueryBuffer(const QueryBuffer&) = delete;
    QueryBuffer& operator=(const QueryBuffer&) = delete;
    void* Get() const { return data_; }

private:
    const ProcessApi& api_;
    HANDLE heap_;
    void* data_;
};

}  // namespace

void ProcessApi::Load() {
    kernel = LoadLibraryA("Kernel32");
    if (!kernel) return;
    createSnapshot = ModuleFunction<CreateSnapshotFn>(kernel, "CreateToolhelp32Snapshot");
    processFirst = ModuleFunction<ProcessWalkFn>(kernel, "Process32FirstW");
    processNext = ModuleFunction<ProcessWalkFn>(kernel, "Process32NextW");
    if (!HasSnapshot()) LoadSystemInformation();
}

void ProcessApi::LoadSystemInformation() {
    if (!kernel) kernel = LoadLibraryA("Kernel32");
    if (!ntdll) ntdll = LoadLibraryA("ntdll.dll");
    if (!kernel || !ntdll) return;
    querySystemInformation = ModuleFunction<QueryFn>(ntdll, "ZwQuerySystemInformation");
    getProcessHeap = ModuleFunction<GetHeapFn>(kernel, "GetProcessHeap");
    heapAlloc = ModuleFunction<HeapAllocFn>(kernel, "HeapAlloc");
    heapFree = ModuleFunction<HeapFreeFn>(kernel, "HeapFree");
}

void ProcessApi::Release() {
    // Only the references go: both libraries stay loaded in every process,
    // so a force quit still running while the process ends (its thread is
    // not waited for) keeps calling valid entry points.
    if (kernel) FreeLibrary(kernel);
    if (ntdll) FreeLibrary(ntdll);
}

HANDLE OpenGameProcess(const ProcessApi& api, DWORD* pid) {
    if (!api.kernel) return nullptr;
    if (api.HasSnapshot()) return OpenGameProcessBySnapshot(api, pid);
    if (api.HasSystemInformation()) return OpenGameProcessBySystemInformation(api, pid);
    return nullptr;
}

HANDLE OpenGameProcessBySnapshot(const ProcessApi& api, DWORD* pid) {
    if (!api.HasSnapshot()) return nullptr;
    ScopedHandle snapshot(api.createSnapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.Valid()) return nullptr;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);  // the size of this build's record, or the walk fails at once
    for (BOOL more = api.processFirst(snapshot.Get(), &entry); more; more = api.processNext(snapshot.Get(), &entry)) {
        entry.szExeFile[MAX_PATH - 1] = L'\0';
        if (IsGameImage(entry.szExeFile)) {
            *pid = entry.th32ProcessID;
            return OpenProcess(kGameProcessAccess, TRUE, entry.th32ProcessID);
        }
    }
    return nullptr;
}

HANDLE OpenGameProcessBySystemInformation(const ProcessApi& api, DWORD* pid) {
    if (!api.HasSystemInformation()) return nullptr;
    static const ProcessRecordLayout kLayout = {
        sizeof(SYSTEM_PROCESS_INFORMATION), offsetof(SYSTEM_PROCESS_INFORMATION, NextEntryOffset),
        offsetof(SYSTEM_PROCESS_INFORMATION, ImageName) + offsetof(UNICODE_STRING, Length),
        offsetof(SYSTEM_PROCESS_INFORMATION, ImageName) + offsetof(UNICODE_STRING, Buffer),
        offsetof(SYSTEM_PROCESS_INFORMATION, UniqueProcessId)};
    for (size_t size = kFirstQueryBufferSize; size != 0; size = NextQueryBufferSize(size)) {
        QueryBuffer buffer(api, size);
        if (!buffer.Get()) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        const LONG status =
            api.querySystemInformation(kSystemProcessInformation, buffer.Get(), static_cast<ULONG>(size), nullptr);
        if (status == kStatusInfoLengthMismatch) continue;
        if (status < 0) {
            SetLastError(static_cast<DWORD>(status));
            return nullptr;
        }
        const uint64_t found =
            FindGameProcessRecord(static_cast<const unsigned char*>(buffer.Get()), size, kLayout);
        if (found == 0) return nullptr;
        *pid = static_cast<DWORD>(found);
        return OpenProcess(kGameProcessAccess, TRUE, *pid);
    }
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);  // the list outgrew every buffer we allow
    return nullptr;
}

BOOL CALLBACK CloseWindowsOfProcess(HWND window, LPARAM pid) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(pid)) PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

bool KillGame(const ProcessApi& api, DWORD graceMs) {
    DWORD pid = 0;
    ScopedHandle process(OpenGameProcess(api, &pid));
    if (!process.Valid()) return false;
    EnumWindows(CloseWindowsOfProcess, static_cast<LPARAM>(pid));
    if (WaitForSingleObject(process.Get(), graceMs) == WAIT_OBJECT_0) return true;
    if (TerminateProcess(process.Get(), 0) != TRUE) return false;
    WaitForSingleObject(process.Get(), kGameTerminatedWaitMs);
    return true;
}

}  // namespace gkr
