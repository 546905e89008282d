# shellcheck shell=bash
# The wire floor of the protocol's exchanges: the bytes on the line at 10 bits
# each plus the host's 1 ms pauses, nothing else. Sourced by the benches.
#   wakeup:   7 bytes + the acknowledge, 7 pauses
#   identify: 2 bytes, the 8-byte answer, two acknowledges; 1 pause
#   read:     a session (wake-up, identification) and 318 blocks of 18 bytes
#             (request, answer, acknowledges) with 2 pauses each: 5744 bytes + 644 pauses
#   write:    a session and 316 blocks of 13 bytes with 1 pause: 4128 bytes + 324 pauses
#   verify:   a session and the 316 written blocks read back: 5708 bytes + 640 pauses
#   write:N, verify:N: the same for N of the written blocks

# wire_floor BAUD EXCHANGE...: the seconds the exchanges need together.
wire_floor() {
  local baud="$1"
  shift
  awk -v baud="$baud" -v list="$*" 'BEGIN {
    bytes["wakeup"] = 8; pauses["wakeup"] = 7
    bytes["identify"] = 12; pauses["identify"] = 1
    session_bytes = bytes["wakeup"] + bytes["identify"]; session_pauses = pauses["wakeup"] + pauses["identify"]
    bytes["read"] = session_bytes + 318 * 18; pauses["read"] = session_pauses + 318 * 2
    bytes["write"] = session_bytes + 316 * 13; pauses["write"] = session_pauses + 316
    bytes["verify"] = session_bytes + 316 * 18; pauses["verify"] = session_pauses + 316 * 2
    n = split(list, names, " ")
    total = 0
    for (i = 1; i <= n; i++) {
      if (names[i] ~ /^(write|verify):[0-9]+$/) {
        split(names[i], part, ":")
        per = part[1] == "write" ? 13 : 18
        total += (session_bytes + part[2] * per) * 10 / baud + (session_pauses + part[2] * (per == 13 ? 1 : 2)) / 1000
        continue
      }
      if (!(names[i] in bytes)) { print "wire_floor: unknown exchange " names[i] > "/dev/stderr"; exit 2 }
      total += bytes[names[i]] * 10 / baud + pauses[names[i]] / 1000
    }
    printf "%.6f\n", total
  }'
}
