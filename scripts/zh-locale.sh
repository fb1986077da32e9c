# Sourced by the scripts that start Wine: Wine takes its ANSI code page from the Unix locale, and
# only a generated zh_CN.UTF-8 gives code page 936; without it Wine silently uses 1252.
# Expects a die() function from the caller.

has_zh_locale() { locale -a 2>/dev/null | grep -qixE 'zh_CN\.utf-?8'; }

ensure_zh_locale() {
    has_zh_locale && return
    if [[ ! -w /etc/locale.gen ]]; then
        command -v sudo >/dev/null ||
            die "locale zh_CN.UTF-8 missing: as root add 'zh_CN.UTF-8 UTF-8' to /etc/locale.gen, run locale-gen"
        sudo sh -c "grep -qx 'zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
                    locale-gen >/dev/null" || die "could not generate the zh_CN.UTF-8 locale"
        return
    fi
    local lock
    exec {lock}</etc/locale.gen
    flock "$lock"    # concurrent first runs must not both append and regenerate
    if ! has_zh_locale; then
        grep -qx 'zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
        locale-gen >/dev/null || die "locale-gen failed"
    fi
    exec {lock}<&-
}
