// The font mapping file in use: its path and its text.
#pragma once

class CFontMapState {
  public:
    CFontMapState() = default;
    CFontMapState(const CFontMapState&) = delete;
    CFontMapState& operator=(const CFontMapState&) = delete;
    ~CFontMapState() { Release(); }

    // Sets both to null without freeing anything.
    void Reset();
    // Frees both, then resets.
    void Release();

    char* pPath = nullptr;
    char* pText = nullptr;
};
