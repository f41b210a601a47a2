#!/usr/bin/env bash
# A throwaway PostgreSQL 15 server for the database tests, from Debian's postgresql-15.
#   test-server.sh start FOLDER   creates the cluster in FOLDER, starts it and prints the
#                                 URI of its test database (for HALVORET_TEST_SERVER)
#   test-server.sh stop FOLDER    stops the server and removes FOLDER
# The server refuses to run as root, so as root it runs as the unprivileged user postgres
# (created by the Debian package; created here when missing). It listens on a socket in
# FOLDER and on a free loopback port. Its superuser postgres connects without a password;
# every other role must give its password, so the tests can check password prompts.
set -euo pipefail

BIN=/usr/lib/postgresql/15/bin
command=${1:?usage: test-server.sh start|stop FOLDER}
folder=${2:?usage: test-server.sh start|stop FOLDER}

as_server_user() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

free_port() {
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

case "$command" in
start)
    if [ "$(id -u)" -eq 0 ] && ! id postgres >/dev/null 2>&1; then
        useradd --system --no-create-home --shell /usr/sbin/nologin postgres
    fi
    mkdir -p "$folder"
    [ "$(id -u)" -ne 0 ] || chown postgres "$folder"
    as_server_user "$BIN/initdb" --no-sync -D "$folder/data" -U postgres -E UTF8 \
        --locale=C.UTF-8 -A trust >"$folder/initdb.log"
    # The superuser needs no password; every other role does.
    {
        echo "local all postgres trust"
        echo "host all postgres 127.0.0.1/32 trust"
        echo "local all all scram-sha-256"
        echo "host all all 127.0.0.1/32 scram-sha-256"
    } >"$folder/data/pg_hba.conf"
    port=$(free_port)
    # Durability is not tested here: the cluster is thrown away.
    as_server_user "$BIN/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -s -o \
        "-k $folder -p $port -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
        start
    as_server_user "$BIN/psql" -q -X -h "$folder" -p "$port" -U postgres -d postgres \
        -c "CREATE DATABASE halvoret_tests"
    echo "postgresql://postgres@/halvoret_tests?host=$folder&port=$port"
    ;;
stop)
    if [ -f "$folder/data/postmaster.pid" ]; then
        as_server_user "$BIN/pg_ctl" -D "$folder/data" -m immediate -w -s stop || true
    fi
    rm -rf "$folder"
    ;;
*)
    echo "usage: test-server.sh start|stop FOLDER" >&2
    exit 2
    ;;
esac
