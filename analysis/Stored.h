#pragma once

#include <memory>
#include <span>
#include <vector>

// An immutable array that either owns its values or views memory something else keeps
// alive (a mapped index file): readers see the same span either way, and copies share.
template<typename T> class Stored
{
public:
    Stored() = default;
    explicit Stored(std::vector<T> values)
    {
        auto owned = std::make_shared<const std::vector<T>>(std::move(values));
        m_view = std::span<const T>(owned->data(), owned->size());
        m_keeper = std::move(owned);
    }
    // keeper holds the memory of view.
    Stored(std::span<const T> view, std::shared_ptr<const void> keeper)
        : m_keeper(std::move(keeper))
        , m_view(view)
    {}

    const T &operator[](std::size_t index) const { return m_view[index]; }
    std::size_t size() const { return m_view.size(); }
    bool empty() const { return m_view.empty(); }
    const T *data() const { return m_view.data(); }
    std::span<const T> view() const { return m_view; }
    auto begin() const { return m_view.begin(); }
    auto end() const { return m_view.end(); }
    std::size_t bytesUsed() const { return m_view.size_bytes(); }
    // What holds the memory, for views made from it.
    const std::shared_ptr<const void> &keeper() const { return m_keeper; }

private:
    std::shared_ptr<const void> m_keeper;
    std::span<const T> m_view;
};
