# bash completion for korvel-shock: its verb, srs's options, the peak rules after
# --peak, and file names for the record and the outputs.
_korvel_shock() {
  local cur prev
  COMPREPLY=()
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  # --peak=sampled: bash splits the word at "=", the option is one word further back.
  if [[ $prev == = && $COMP_CWORD -ge 2 ]]; then prev=${COMP_WORDS[COMP_CWORD-2]}; fi
  if [[ $COMP_CWORD -eq 1 ]]; then
    mapfile -t COMPREPLY < <(compgen -W "srs --help --version -h -V" -- "$cur")
    return
  fi
  case $prev in
    --peak)
      mapfile -t COMPREPLY < <(compgen -W "sampled continuous" -- "$cur")
      return ;;
    -o|--output|--plot)
      compopt -o filenames 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      return ;;
    --q|--fraction|--from|--to|--frequencies|--rate)
      return ;;
  esac
  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "--q --fraction --from --to --frequencies --peak --rate --output \
      --plot --help -o -h" -- "$cur")
    return
  fi
  # The record.
  compopt -o filenames 2>/dev/null
  mapfile -t COMPREPLY < <(compgen -f -- "$cur")
}
complete -F _korvel_shock korvel-shock
