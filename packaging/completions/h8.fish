# fish completion for h8: its options, and the values of those that take a choice.

complete -c h8 -f # the arguments are words of a line, not files
complete -c h8 -s s -l spaces -x -a '(seq 0 12)' -d 'Blanks after each character, less one'
complete -c h8 -s l -l lines -x -a '(seq 0 12)' -d 'Empty lines after each band, less one'
complete -c h8 -s w -l width -x -d 'Page width in small characters (below 1: no limit)'
complete -c h8 -s t -l terminal -d 'Bands that fit the terminal'
complete -c h8 -s q -l quiet -d 'Say nothing about characters outside the font'
complete -c h8 -l crlf -d 'End the lines with CR LF'
complete -c h8 -l lf -d 'End the lines with LF'
complete -c h8 -l trim -d 'No blanks at the end of any line'
complete -c h8 -l prefix -x -d 'Begin every line with a text'
complete -c h8 -l format -x -a 'text markdown html' -d 'Output form'
complete -c h8 -l align -x -a 'left center centre right' -d 'Where each band stands'
complete -c h8 -l show -d 'Print the line as one band'
complete -c h8 -l save -d 'Write Files/<line>.txt and print nothing'
complete -c h8 -s h -l help -d 'Print the help'
complete -c h8 -l version -d 'Print the version'
