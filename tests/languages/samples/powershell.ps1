#Requires -Version 5.1
<#
.SYNOPSIS
    Writes a short report.

.DESCRIPTION
    The "#" and '<#' in strings below are not comments.
#>
param(
    [string]$Name = 'world'   # default name
)

$hash = "# not a comment"
$open = '<# not a comment either #>'
$quote = "She said ""hi"" and `"bye`""   # doubled and backtick-escaped quotes
$apos = 'it''s'

$expanding = @"
Hello, $Name
# this line is here-string text

a "@ in the middle does not close it
"@

$literal = @'
<# literal text #>
'@

function Get-Total([int[]]$Values) {
    <# a block comment on one line #>
    $sum = 0
    foreach ($v in $Values) { $sum += $v }  <# trailing block #>
    return $sum
}

Write-Output $hash $open $quote $apos $expanding $literal (Get-Total 1, 2, 3)
