#pragma once

#include <stdexcept>
#include <string>

// A run-time error of the forms runtime, raised where it would stop the
// current procedure; the procedures that trap errors catch it. Standard C++
// only, like the registry layer that raises it.
class RuntimeError : public std::runtime_error
{
public:
    // The runtime's error numbers used here.
    static constexpr int InvalidProcedureCall = 5;

    RuntimeError(int number, const std::string &description)
        : std::runtime_error(description), m_number(number)
    {
    }

    int Number() const { return m_number; }

private:
    int m_number;
};
