#pragma once

#include <functional>
#include <utility>

// A call into the operating system that tests can replace: the real function
// runs unless a replacement is installed.
template <typename Signature> class Seam;

template <typename R, typename... Args> class Seam<R(Args...)>
{
public:
    using Function = std::function<R(Args...)>;

    explicit Seam(Function real) : m_real(std::move(real)) {}

    R operator()(Args... args) const
    {
        return m_replacement ? m_replacement(std::forward<Args>(args)...)
                             : m_real(std::forward<Args>(args)...);
    }

    // An empty function restores the real one.
    void replace(Function replacement) { m_replacement = std::move(replacement); }

private:
    Function m_real;
    Function m_replacement;
};
