// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cassert>
#include <utility>
#include <variant>

namespace orvanta {

// Why a function has no value, for Expected's constructor: `return Unexpected(problem);`.
template <typename Problem> struct Unexpected {
    explicit Unexpected(Problem p)
        : problem(std::move(p))
    {
    }
    Problem problem;
};

// What a function that returns something gives back: its value, or the problem that kept it from making one. An
// action that returns nothing gives back std::optional<Problem> instead: empty when it was done.
template <typename T, typename Problem> class Expected {
public:
    Expected(T value)
        : m_data(std::in_place_index<0>, std::move(value))
    {
    }
    Expected(Unexpected<Problem> failure)
        : m_data(std::in_place_index<1>, std::move(failure.problem))
    {
    }

    bool has_value() const { return m_data.index() == 0; }
    explicit operator bool() const { return has_value(); }

    T& value() &
    {
        assert(has_value());
        return std::get<0>(m_data);
    }
    const T& value() const&
    {
        assert(has_value());
        return std::get<0>(m_data);
    }
    T&& value() &&
    {
        assert(has_value());
        return std::get<0>(std::move(m_data));
    }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T&& operator*() && { return std::move(*this).value(); }
    T value_or(T fallback) const& { return has_value() ? value() : std::move(fallback); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const Problem& error() const
    {
        assert(!has_value());
        return std::get<1>(m_data);
    }

private:
    std::variant<T, Problem> m_data;
};

} // namespace orvanta
