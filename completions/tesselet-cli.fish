# fish completion for tesselet-cli

function __tesselet_cli_pictures
    set -l token (commandline -ct)
    for file in $token*
        if test -d $file
            echo $file/
        else if string match -qri '\.(png|jpe?g|jfif|gif|bmp|webp|tiff?|ico|cur|icns|tga|mng|wbmp|p[pgb]m|x[bp]m)$' -- $file
            echo $file
        end
    end
end

complete -c tesselet-cli -f
complete -c tesselet-cli -a '(__tesselet_cli_pictures)'
complete -c tesselet-cli -s h -l help -d 'Print the options and exit'
complete -c tesselet-cli -l help-all -d 'Print the options and exit'
complete -c tesselet-cli -s v -l version -d 'Print the version and exit'
complete -c tesselet-cli -l style -x -a 'table span div compact compact-mail web all' -d 'Page style'
complete -c tesselet-cli -s o -l output -r -F -d 'Write the page to FILE (- is standard output)'
complete -c tesselet-cli -l out-dir -x -a '(__fish_complete_directories)' -d 'Write the pages into DIR'
complete -c tesselet-cli -l templates -x -a '(__fish_complete_directories)' -d 'Read the start-up files from DIR'
complete -c tesselet-cli -l width -x -d 'Scale the picture to N pixels wide first'
complete -c tesselet-cli -l height -x -d 'Scale the picture to N pixels high first'
complete -c tesselet-cli -s q -l quiet -d 'Print nothing but failures'
complete -c tesselet-cli -l mail -d 'A compact page for e-mail'
complete -c tesselet-cli -l fragment -d 'Write the tables alone (compact styles)'
complete -c tesselet-cli -l tolerance -x -d 'Neighbours within D (delta E) share a cell'
complete -c tesselet-cli -l background -x -a 'white black' -d 'Colour under partly transparent pixels'
complete -c tesselet-cli -l max-bytes -x -d 'Scale the picture down until the page takes at most N bytes'
