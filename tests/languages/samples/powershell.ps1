#Requires -Version 5.1
<#
.SYNOPSIS
    Publishes the built site to a share.

.EXAMPLE
    ./Publish-Site.ps1 -Target 'staging' # quotes and # in help text
#>
[CmdletBinding()]
param(
    [string]$Target = 'production', # end-of-line comment
    <# The folder that holds the built site. #>
    [string]$Path = "$PSScriptRoot\site"
)

#region Helpers
function Write-Log([string]$Message) {
    # Timestamps are sortable.
    $stamp = (Get-Date).ToString('s')
    Write-Host "[$stamp] $Message"
}#end Write-Log
#endregion

$quote = "He said ""ship it"" and `"left`""
$apos = 'it''s done' # '' stands for one quote
Write-Host `"not a string`" `#not-a-comment
# The backticks above opened nothing, so this is a comment.
dotnet new console --language C# --name "Site Tools"
$hash = '#'; $tag = "#$Target"
$message = "first line
# text of the string, not a comment
last line"

$body = @"
Target: $Target
Contact: "ops"@example.org
# here-string text, not a comment

  "@ indented does not close either
# still here-string text
"@ | Set-Content -Path (Join-Path $Path 'release.txt')
$template = @'
<# not a comment #> $NotExpanded
    '@ indented, still text
# verbatim here-string text
'@

Write-Log "Publishing $Path to $Target"; <# inline #> Write-Log 'start'
Copy-Item -Path $Path -Destination "\\server\$Target" -Recurse `
    -Force
<# A block comment over lines:
   # a single-line comment inside it is comment text
#>
Write-Output $quote $apos $hash $tag $message $body $template
