@echo off
REM backup.bat - copies the source folder and logs each step.
rem Lower-case rem is the same command.
:: A double colon starts a label that nothing jumps to.
setlocal enabledelayedexpansion

set "SRC=%~1"
set "REMOTE=\\server\share"
set "MSG=REM inside a value is text"
if "%SRC%"=="" set "SRC=."

echo REM after echo is printed, not a comment
echo :: printed too
echo 100%% done ^& more

:copy
for %%F in ("%SRC%\*.txt") do (
    REM a comment inside a block
    copy "%%F" "%REMOTE%" >nul
    echo copied %%F
)

echo one line split ^
over two lines

REM Lines below count the files.
set /a COUNT=0
for /f %%L in ('dir /b "%SRC%"') do set /a COUNT+=1
echo !COUNT! files, %MSG%
goto :eof
