# bash completion for korvel-shock: its verbs and their options, the peak rules
# after --peak, the units after --units, and file names for the inputs and outputs.
_korvel_shock() {
  local cur prev
  COMPREPLY=()
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  # --peak=sampled: bash splits the word at "=", the option is one word further back.
  if [[ $prev == = && $COMP_CWORD -ge 2 ]]; then prev=${COMP_WORDS[COMP_CWORD-2]}; fi
  if [[ $COMP_CWORD -eq 1 ]]; then
    mapfile -t COMPREPLY < <(compgen -W "srs sum synthesize --help --version -h -V" -- "$cur")
    return
  fi
  case $prev in
    --peak)
      mapfile -t COMPREPLY < <(compgen -W "sampled continuous" -- "$cur")
      return ;;
    --units)
      mapfile -t COMPREPLY < <(compgen -W "g m/s2" -- "$cur")
      return ;;
    -o|--output|--plot|--table|--report)
      compopt -o filenames 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      return ;;
    --q|--fraction|--from|--to|--frequencies|--rate|--duration|--tolerance|--max-displacement|--max-velocity|\
    --max-acceleration|--seed)
      return ;;
  esac
  if [[ $cur == -* ]]; then
    local options
    case ${COMP_WORDS[1]} in
      sum) options="--rate --duration --output -o --help -h" ;;
      synthesize) options="--output -o --table --report --plot --q --tolerance --fraction --rate --duration \
        --units --max-displacement --max-velocity --max-acceleration --seed --baseline --help -h" ;;
      *) options="--q --fraction --from --to --frequencies --peak --rate --output --plot --help -o -h" ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
    return
  fi
  # The record, the table or the target.
  compopt -o filenames 2>/dev/null
  mapfile -t COMPREPLY < <(compgen -f -- "$cur")
}
complete -F _korvel_shock korvel-shock
