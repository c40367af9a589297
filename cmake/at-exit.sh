# Sourced by the project's scripts: work to undo when the script ends, on every path
# (normal end, failure under `set -e`, Ctrl+C, kill).
#   at_exit COMMAND [ARGS...]   runs the command at exit; the last registered runs first

if [ -z "${zobl_at_exit_loaded:-}" ]; then
  zobl_at_exit_loaded=1
  zobl_exit_actions=()

  at_exit() {
    local quoted
    printf -v quoted '%q ' "$@"
    zobl_exit_actions=("$quoted" "${zobl_exit_actions[@]}")
  }

  zobl_run_exit_actions() {
    local status=$? action
    trap - EXIT
    for action in "${zobl_exit_actions[@]}"; do
      eval "$action" || true
    done
    exit "$status"
  }

  trap zobl_run_exit_actions EXIT
  # A signal ends the script through its exit path, so the actions run then too.
  trap 'exit 130' INT
  trap 'exit 143' TERM
fi
