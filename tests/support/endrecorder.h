#pragma once

#include "platform/runtime.h"

// Replaces the program's end with a counter for its lifetime, so a test sees
// that the program would have ended and goes on running. Runtime::Ending() is
// reset on construction and on destruction.
class EndRecorder
{
public:
    EndRecorder()
    {
        Runtime::ResetEnding();
        Runtime::EndHandler.replace([this] { ++m_count; });
    }
    ~EndRecorder()
    {
        Runtime::EndHandler.replace({});
        Runtime::ResetEnding();
    }
    EndRecorder(const EndRecorder &) = delete;
    EndRecorder &operator=(const EndRecorder &) = delete;

    int count() const { return m_count; }
    bool ended() const { return m_count > 0; }

private:
    int m_count = 0;
};
