// host_call_counter: counts calls of a host operation, so a test can see how
// often a module asks for something it is meant to ask for once.
#pragma once

class host_call_counter {
public:
    void hit() { ++m_count; }
    int count() const { return m_count; }
    void reset() { m_count = 0; }

private:
    int m_count = 0;
};
