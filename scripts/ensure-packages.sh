# Sourced by run.sh and test.sh: installs the Debian packages the build needs.
ombrelis_packages=(cmake g++ make pkg-config qt6-base-dev qt6-svg-dev qt6-translations-l10n
                   libgl-dev libbenchmark-dev xvfb xauth fonts-dejavu-core fonts-liberation
                   desktop-file-utils shared-mime-info dpkg-dev file)

ensure_packages() {
    local missing=()
    for package in "${ombrelis_packages[@]}"; do
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
