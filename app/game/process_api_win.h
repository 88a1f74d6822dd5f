// Finding and ending the game's process. The process functions are bound at
// run time: the toolhelp snapshot where the system has it, the system
// information query of ntdll otherwise.
#pragma once

#include <windows.h>

namespace gkr {

struct ProcessApi {
    using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
    using ProcessWalkFn = BOOL(WINAPI*)(HANDLE, void*);  // PROCESSENTRY32W*
    using QueryFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    using GetHeapFn = HANDLE(WINAPI*)();
    using HeapAllocFn = LPVOID(WINAPI*)(HANDLE, DWORD, SIZE_T);
    using HeapFreeFn = BOOL(WINAPI*)(HANDLE, DWORD, LPVOID);

    HMODULE ntdll = nullptr;
    HMODULE kernel = nullptr;
    CreateSnapshotFn createSnapshot = nullptr;
    ProcessWalkFn processFirst = nullptr;
    ProcessWalkFn processNext = nullptr;
    QueryFn querySystemInformation = nullptr;
    GetHeapFn getProcessHeap = nullptr;
    HeapAllocFn heapAlloc = nullptr;
    HeapFreeFn heapFree = nullptr;

    // Binds the toolhelp functions, and the system information query when
    // any of them is missing.
    void Load();
    // Binds the system information query and the heap functions.
    void LoadSystemInformation();
    // Drops the references Load took (see the definition).
    void Release();

    bool HasSnapshot() const { return createSnapshot && processFirst && processNext; }
    bool HasSystemInformation() const { return querySystemInformation && getProcessHeap && heapAlloc && heapFree; }
};

// Access the game's process is opened with: wait for its end, end it.
constexpr DWORD kGameProcessAccess = SYNCHRONIZE | PROCESS_TERMINATE;
// How long the game gets to close its windows before it is ended.
constexpr DWORD kGameCloseGraceMs = 5000;
// How long an ended game gets to be gone: TerminateProcess returns before
// the process has ended.
constexpr DWORD kGameTerminatedWaitMs = 1000;

// The game's process (image name gkr.exe), opened with kGameProcessAccess
// and inheritable; NULL when there is none. *pid is its process id.
HANDLE OpenGameProcess(const ProcessApi& api, DWORD* pid);
HANDLE OpenGameProcessBySnapshot(const ProcessApi& api, DWORD* pid);
HANDLE OpenGameProcessBySystemInformation(const ProcessApi& api, DWORD* pid);

// Posts WM_CLOSE to every top-level window of process `pid` (EnumWindows callback).
BOOL CALLBACK CloseWindowsOfProcess(HWND window, LPARAM pid);

// Asks the game to close its windows, waits up to graceMs for it to end and
// ends it then (and waits up to kGameTerminatedWaitMs for that end). True
// when it ended or was ended. Blocks: call it off the user-interface thread.
bool KillGame(const ProcessApi& api, DWORD graceMs = kGameCloseGraceMs);

}  // namespace gkr
