#!/usr/bin/env bash
# A print server of our own for the printing test and the demo: a private cupsd with one
# default queue, CUPS-PDF, that makes PDFs of what it prints. The machine's CUPS is left
# alone.
#   print-server.sh start DIR [OUT]  start it, the PDFs going to OUT (DIR/out by default);
#                                    prints the line "export CUPS_SERVER=..." to eval
#   print-server.sh stop DIR         stop it once its queue is empty (30 s at most) and
#                                    remove its spool
# Wine lists only the printers that exist when its wineserver starts: start this first.
#
# DIR keeps cupsd.pid and the link "server" to the server's own directory
# (configuration, spool, socket, logs). That one lies in /tmp: cupsd runs its filters as
# lp, which must reach the spool and the PPD however private DIR's parents are, and a
# socket's path may not be long.
set -euo pipefail
action=${1:?action}
dir=$(realpath -m "${2:?directory}")

# Whether the recorded pid is still our cupsd: not ended (a zombie has no command line)
# and not taken over by another program.
is_ours() { grep -qzF -- "$server/cupsd.conf" "/proc/$pid/cmdline" 2>/dev/null; }

# Ends the cupsd recorded in DIR and removes its directory.
stop_server() {
  local server pid
  server=$(readlink "$dir/server" 2>/dev/null) || return 0
  pid=$(cat "$dir/cupsd.pid" 2>/dev/null) || pid=
  if [ -n "$pid" ] && is_ours; then
    # A document printed just before is not lost.
    for _ in $(seq 300); do
      [ -n "$(CUPS_SERVER=$server/cups.sock lpstat -o 2>/dev/null)" ] || break
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 100); do
      is_ours || break
      sleep 0.05
    done
    ! is_ours || kill -KILL "$pid" 2>/dev/null || true
  fi
  rm -rf "$server"
  rm -f "$dir/server" "$dir/cupsd.pid"
}

case $action in
start)
  stop_server
  out=$(realpath -m "${3:-$dir/out}")
  mkdir -p "$dir" "$out"
  server=$(mktemp -d /tmp/zobl-print.XXXXXX)
  ln -s "$server" "$dir/server"
  chmod 755 "$server"
  mkdir "$server"/{cache,log,pdf-spool,spool,state,tmp}
  ln -s "$out" "$server/out"
  export CUPS_SERVER=$server/cups.sock
  cat >"$server/cups-files.conf" <<EOF
ServerRoot $server
StateDir $server/state
CacheDir $server/cache
RequestRoot $server/spool
TempDir $server/tmp
AccessLog $server/log/access_log
ErrorLog $server/log/error_log
PageLog $server/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
Sandboxing Relaxed
SystemGroup root
EOF
  cat >"$server/cupsd.conf" <<EOF
Listen $CUPS_SERVER
Browsing Off
DefaultAuthType None
WebInterface No
LogLevel warn
PreserveJobFiles No
PreserveJobHistory No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  # cups-pdf reads its settings from /etc/cups alone, then from the queue's PPD, whose
  # values cannot hold a "/". Its output, work and log directories are therefore named
  # relative to its working directory, which is cupsd's.
  sed '/^\*OpenGroup: General/i\
*OpenUI *Out/Output directory: PickOne\
*DefaultOut: out\
*Out out/out: ""\
*CloseUI: *Out\
*OpenUI *Spool/Work directory: PickOne\
*DefaultSpool: pdf-spool\
*Spool pdf-spool/pdf-spool: ""\
*CloseUI: *Spool\
*OpenUI *Log/Log directory: PickOne\
*DefaultLog: log\
*Log log/log: ""\
*CloseUI: *Log\
' /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >"$server/CUPS-PDF.ppd"
  cd "$server"
  cupsd -f -c "$server/cupsd.conf" -s "$server/cups-files.conf" </dev/null >>"$server/log/cupsd.out" 2>&1 &
  pid=$!
  echo "$pid" >"$dir/cupsd.pid"
  for _ in $(seq 200); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    echo "print-server.sh: cupsd did not start:" >&2
    cat "$server/log/cupsd.out" "$server/log/error_log" >&2 2>/dev/null || true
    stop_server
    exit 1
  fi
  # lpadmin warns that PPD drivers are deprecated even when it succeeds: its words are
  # shown only on failure.
  if ! said=$(lpadmin -p CUPS-PDF -E -v cups-pdf:/ -P "$server/CUPS-PDF.ppd" 2>&1 && lpadmin -d CUPS-PDF 2>&1); then
    echo "$said" >&2
    stop_server
    exit 1
  fi
  echo "export CUPS_SERVER=$CUPS_SERVER"
  ;;
stop)
  stop_server
  ;;
*)
  echo "unknown action: $action" >&2
  exit 2
  ;;
esac
