# Sourced by run.sh, test.sh and fuzz.sh: installs the Debian packages the build needs.
ombrelis_packages=(cmake g++ make pkg-config qt6-base-dev qt6-svg-dev qt6-translations-l10n
                   libgl-dev libbenchmark-dev xvfb xauth fonts-dejavu-core fonts-liberation
                   desktop-file-utils shared-mime-info dpkg-dev file lintian appstream)
# Only fuzz.sh needs these: clang and its libFuzzer and sanitizer runtimes.
ombrelis_fuzz_packages=(cmake make clang libclang-rt-14-dev)

ensure_fuzz_packages() {
    ensure_packages "${ombrelis_fuzz_packages[@]}"
}

# ensure_packages [PACKAGE...]: the given packages, or the build's by default.
ensure_packages() {
    local wanted=("$@")
    [ ${#wanted[@]} -eq 0 ] && wanted=("${ombrelis_packages[@]}")
    local missing=()
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local command="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages: ${missing[*]}. Install them as root with:" >&2
        echo "  $command" >&2
        exit 1
    fi
    echo "Installing ${missing[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
