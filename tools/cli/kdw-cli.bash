# bash completion for kdw-cli: commands, then each command's options as its
# --help lists them, then files.
_kdw_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    if [ "$COMP_CWORD" -eq 1 ]; then
        local commands
        commands=$("${COMP_WORDS[0]}" --help 2>/dev/null | awk '$1 == "kdw-cli" && $2 !~ /^COMMAND/ { print $2 }')
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi
    if [[ $cur == -* ]]; then
        local options
        options=$("${COMP_WORDS[0]}" "${COMP_WORDS[1]}" --help 2>/dev/null | awk '$1 ~ /^--/ { print $1 }')
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    COMPREPLY=($(compgen -f -- "$cur"))
}
complete -o filenames -F _kdw_cli kdw-cli
