#!/usr/bin/env bash
# make test-prometheus: the exporter as a lab runs it, under Debian's own
# Prometheus.
#
# Checks the shipped rules (promtool check rules, and promtool test rules
# with their unit test file) and the shipped scrape configuration; then
# starts two `ort310 serve` on board files written here, one whose remote
# runs at 95 C above its 80 C limit and one cool, and a Prometheus scraping
# both every second with the shipped rules (their minute shortened to 2 s),
# and asks Prometheus's query API: both targets up, each temperature its
# board's, ort310_alert 1 for the hot one only and its rule firing; a scrape
# passes promtool check metrics; and a stopped exporter's target is down
# within two scrapes. Everything listens on 127.0.0.1 and is stopped at the
# end. Exits 77 (SKIP) where Prometheus or the board files cannot be had.
#
# Usage: run-prometheus.sh [BUILD_DIR]
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
tool=$build/cli/ort310
rules=$root/docs/prometheus
skip() { echo "SKIP: test-prometheus: $*"; exit 77; }
fail() { echo "test-prometheus: FAILED: $*"; exit 1; }

for program in prometheus promtool curl; do
    command -v "$program" >/dev/null || skip "$program is not installed (make test-prometheus installs it)"
done
[[ -x $tool ]] || fail "no $tool; build first"

(cd "$rules" && promtool check config prometheus.yml && promtool check rules ort310-rules.yml &&
    promtool test rules ort310-rules.test.yml) >/dev/null || fail "the shipped configuration or rules"
echo "test-prometheus: the shipped scrape configuration and rules pass promtool check and promtool test rules"

work=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

board() {   # board FILE REMOTE: one chip at 18h on the SMBus, its remote steady
    cat >"$1" <<EOF
{
  "seed": 7,
  "smbusAdapters": [
    { "base": "5000", "device": "/dev/i2c-0", "name": "SMBus adapter at 5000",
      "chips": [ { "address": "18", "local": 25, "remote": $2, "noise": 0, "conversionRate": 4,
                   "limits": { "localHigh": 127, "localLow": -55, "remoteHigh": 80, "remoteLow": 0 } } ] }
  ]
}
EOF
}
board "$work/hot.json" 95
board "$work/cool.json" 30
if ! probe=$("$tool" --board "$work/cool.json" scan 2>&1); then
    grep -q "Unknown option 'board'" <<<"$probe" && skip "this ort310 does not take --board yet: $probe"
    fail "ort310 --board cool.json scan: $probe"
fi

# A free port on 127.0.0.1: nothing answers there now.
free_port() {
    local port
    for _ in $(seq 50); do
        port=$((20000 + RANDOM % 40000))
        (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || { echo "$port"; return; }
    done
    fail "no free port on 127.0.0.1"
}

declare -A target
for name in hot cool; do
    "$tool" --board "$work/$name.json" serve --listen 127.0.0.1:0 --interval 0.5 2>"$work/$name.err" &
    pids+=($!)
    eval "${name}_pid=$!"
    for _ in $(seq 100); do
        target[$name]=$(grep -o '127\.0\.0\.1:[0-9]*' "$work/$name.err" | head -n 1 || true)
        [[ -n ${target[$name]} ]] && break
        sleep 0.1
    done
    [[ -n ${target[$name]} ]] || fail "ort310 serve on $name.json did not start: $(cat "$work/$name.err")"
done

sed 's/for: 1m/for: 2s/' "$rules/ort310-rules.yml" >"$work/rules.yml"
cat >"$work/prometheus.yml" <<EOF
global:
  scrape_interval: 1s
  evaluation_interval: 1s
rule_files: [rules.yml]
scrape_configs:
  - job_name: ort310
    static_configs:
      - targets: ["${target[hot]}", "${target[cool]}"]
EOF
api=127.0.0.1:$(free_port)
prometheus --config.file="$work/prometheus.yml" --storage.tsdb.path="$work/data" --web.listen-address="$api" \
    --log.level=warn 2>"$work/prometheus.log" &
pids+=($!)
for _ in $(seq 150); do curl -sf "http://$api/-/ready" >/dev/null && break; sleep 0.2; done
curl -sf "http://$api/-/ready" >/dev/null || fail "Prometheus did not start: $(cat "$work/prometheus.log")"

query() { promtool query instant "http://$api" "$1" 2>&1; }
# Waits up to $2 s for the query's answer to match the pattern $3.
until_query() {
    local answer
    for _ in $(seq $(($2 * 5))); do
        answer=$(query "$1")
        [[ $answer =~ $3 ]] && return 0
        sleep 0.2
    done
    fail "$1 answered \"$answer\", not /$3/"
}
until_query 'count(up{job="ort310"} == 1)' 20 '=> 2 @'
for name in hot cool; do
    expected=$([[ $name == hot ]] && echo 95 || echo 30)
    until_query "ort310_temperature_celsius{instance=\"${target[$name]}\",sensor=\"remote\"}" 10 "=> $expected @"
    until_query "ort310_temperature_celsius{instance=\"${target[$name]}\",sensor=\"local\"}" 10 "=> 25 @"
    until_query "ort310_alert{instance=\"${target[$name]}\"}" 10 "=> $([[ $name == hot ]] && echo 1 || echo 0) @"
done
until_query 'ALERTS{alertname="ORT310ChipInAlert",alertstate="firing"}' 20 "instance=\"${target[hot]}\""
firing=$(query 'count(ALERTS{alertname="ORT310ChipInAlert"})')
[[ $firing == *"=> 1 @"* ]] || fail "ORT310ChipInAlert for more than the hot bench: $firing"
echo "test-prometheus: both targets up, remote 95 C and 30 C, local 25 C, ort310_alert and ORT310ChipInAlert for the hot bench only"

for name in hot cool; do
    curl -sf "http://${target[$name]}/metrics" | promtool check metrics || fail "promtool check metrics on $name"
done
echo "test-prometheus: promtool check metrics passes on both exporters' scrapes"

# SIGTERM ends the exporter cleanly; its target is down at the next scrape.
kill -TERM "$hot_pid"
status=0
wait "$hot_pid" || status=$?
stopped=$(date +%s.%N)
((status == 0)) || fail "ort310 serve ended with status $status on SIGTERM"
until_query "timestamp(up{instance=\"${target[hot]}\"} == 0)" 10 '=> [0-9.]+ @'
down=$(query "timestamp(up{instance=\"${target[hot]}\"} == 0)" | sed -n 's/.*=> \([0-9.]*\) @.*/\1/p')
awk -v d="$down" -v s="$stopped" 'BEGIN { exit !(d - s <= 2.0) }' ||
    fail "the stopped exporter's target went down $(awk -v d="$down" -v s="$stopped" 'BEGIN { print d - s }') s after it stopped, past two scrapes of 1 s"
until_query "up{instance=\"${target[cool]}\"}" 5 '=> 1 @'
echo "test-prometheus: passed: the stopped exporter's target was down within two scrapes, the other still up"
