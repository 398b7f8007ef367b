// The register of stubs. A service that a later part of the game builds is,
// until then, one function with its real name and signature, in the folder
// that will own it, giving a neutral answer. Every such stub is listed in
// stub_register (stubs.cpp) with that folder and the answer it gives, and
// notes each of its calls with KSM_STUB, so that a test or a developer can
// see what a command reached. The code that builds a service replaces the
// stub's body and takes its line out of the register (tools/check_floors.py
// checks that the register and the stubs agree).
#pragma once

struct StubEntry {
    const char* name;    // the function
    const char* folder;  // the source folder that will build it
    const char* answer;  // what it gives until then
};
extern const StubEntry stub_register[];
extern const int stub_register_count;

// The register index of a stub's name; -1 when it is not listed.
int stub_slot(const char* name);
// Counts one call of a stub by its register index (-1 counts as unlisted).
void note_stub_slot(int slot);
// Counts one call of a stub by name.
void note_stub_call(const char* name);

// Notes a call of the stub `name` (a string literal, the function's own name).
#define KSM_STUB(name)                                     \
    do {                                                   \
        static const int ksm_stub_slot_ = stub_slot(name); \
        note_stub_slot(ksm_stub_slot_);                    \
    } while (0)

// Calls of any stub since the last clear (unlisted names included).
extern int stub_call_count;
// Calls of stubs whose names are not in the register, since the last clear.
extern int unlisted_stub_calls;
void clear_stub_calls();
// Calls of the stub `name` since the last clear.
int stub_calls_of(const char* name);
bool stub_was_called(const char* name);
