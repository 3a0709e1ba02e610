#!/bin/bash
# Installs what is missing, builds the game and the score server, and starts the game from
# build/bin. When the game's score server is this machine and nothing listens on its port
# yet, a local server is started for the game's run and stopped when the game ends.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELMORA_TESTS=OFF -DQUELMORA_BENCH=OFF
cmake --build build --target quelmora quelmora-server -j"$(nproc)"
cd build/bin

# The game's own settings say where its server is; these are its defaults.
setting() {
    [ -f quelmora.ini ] || return 0
    tr -d '\r' < quelmora.ini | sed -n "s/^[[:space:]]*$1[[:space:]]*=[[:space:]]*//Ip" | tail -1
}
host=$(setting HostName)
port=$(setting HostPort)
host=${host:-localhost}
port=${port:-8844}

listening() {
    (exec 3<> "/dev/tcp/127.0.0.1/$port") 2> /dev/null
}

server=""
case "$host" in
localhost | 127.0.0.1)
    if [[ "$port" =~ ^[0-9]+$ ]] && ! listening; then
        ./quelmora-server --port "$port" &
        server=$!
        trap 'kill "$server" 2> /dev/null || true' EXIT
        for _ in $(seq 50); do
            listening && break
            sleep 0.1
        done
    fi
    ;;
esac
./quelmora
