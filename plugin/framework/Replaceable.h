// A system function that a test may put a function of its own in place of
// (to read what would have happened, or to make a call fail), and take out
// again.
#pragma once

template <typename F> class CReplaceable {
  public:
    explicit CReplaceable(F fnReal) : m_fnReal(fnReal), m_fnNow(fnReal) {}

    // Puts fn in; returns the one it replaces. Null puts the real one back.
    F Set(F fn) {
        F previous = m_fnNow;
        m_fnNow = fn != nullptr ? fn : m_fnReal;
        return previous;
    }
    F operator*() const { return m_fnNow; }

  private:
    F m_fnReal;
    F m_fnNow;
};
