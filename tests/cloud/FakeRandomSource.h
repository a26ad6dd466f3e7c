#pragma once

#include "WordColor.h"

#include <QList>

// Hands out the given draws in order, then zeros; counts how many were taken.
class FakeRandomSource : public RandomSource
{
public:
    explicit FakeRandomSource(QList<int> draws)
        : m_draws(std::move(draws))
    {}

    int draw() override
    {
        const int value = m_taken < m_draws.size() ? m_draws[m_taken] : 0;
        ++m_taken;
        return value;
    }

    qsizetype taken() const { return m_taken; }

private:
    QList<int> m_draws;
    qsizetype m_taken = 0;
};
