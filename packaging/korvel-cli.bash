# bash completion for korvel-cli: its options, and the half-sine counts after -n.
_korvel_cli() {
  local cur prev
  COMPREPLY=()
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  # --half-sines=7: bash splits the word at "=", the option is one word further back.
  if [[ $prev == = && $COMP_CWORD -ge 2 ]]; then prev=${COMP_WORDS[COMP_CWORD-2]}; fi
  case $prev in
    -n|--half-sines)
      # In numeric order: bash would sort them as text (11 13 ... 3 5 7 9).
      compopt -o nosort 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -W "3 5 7 9 11 13 15 17 19 21 23" -- "$cur")
      return ;;
    -o|--output)
      compopt -o filenames 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      return ;;
    -a|--amplitude|-f|--frequency|-d|--delay|-t|--duration|-r|--rate)
      return ;;
  esac
  mapfile -t COMPREPLY < <(compgen -W "--amplitude --frequency --half-sines --delay --duration \
    --rate --output --help --version -a -f -n -d -t -r -o -h -V" -- "$cur")
}
complete -F _korvel_cli korvel-cli
