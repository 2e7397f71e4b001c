#pragma once
// Reading the values libmpv hands back in its events and nodes.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <mpv/client.h>

namespace MpvValues {

template <typename T>
inline T valueOr(const mpv_event_property &p, T fallback)
{
    if (p.format == MPV_FORMAT_DOUBLE) {
        const double v = *static_cast<const double *>(p.data);
        return std::isfinite(v) ? static_cast<T>(v) : fallback;
    }
    if (p.format == MPV_FORMAT_INT64)
        return static_cast<T>(*static_cast<const int64_t *>(p.data));
    if (p.format == MPV_FORMAT_FLAG)
        return static_cast<T>(*static_cast<const int *>(p.data));
    return fallback;
}

inline const mpv_node *member(const mpv_node &map, const char *key)
{
    if (map.format != MPV_FORMAT_NODE_MAP)
        return nullptr;
    for (int i = 0; i < map.u.list->num; ++i) {
        if (std::strcmp(map.u.list->keys[i], key) == 0)
            return &map.u.list->values[i];
    }
    return nullptr;
}

inline bool flagOf(const mpv_node &map, const char *key)
{
    const mpv_node *v = member(map, key);
    return v && v->format == MPV_FORMAT_FLAG && v->u.flag;
}

inline const char *textOf(const mpv_node &map, const char *key)
{
    const mpv_node *v = member(map, key);
    return v && v->format == MPV_FORMAT_STRING ? v->u.string : "";
}

inline double numberOf(const mpv_node &map, const char *key)
{
    const mpv_node *v = member(map, key);
    if (v && v->format == MPV_FORMAT_DOUBLE && std::isfinite(v->u.double_))
        return v->u.double_;
    return v && v->format == MPV_FORMAT_INT64 ? static_cast<double>(v->u.int64) : 0;
}

}  // namespace MpvValues
