' A module that greets, to check Visual Basic's comments and strings.
Imports System

#Region "Greeting"
Module Greeter
    REM a comment with the REM keyword
    rem in lower case too
    ‘ a comment after a typographic apostrophe
    Sub Main()
        Dim quote As String = "She said ""it's fine"" ' not a comment"
        Console.WriteLine(quote) ' a comment after code
        Dim remark = 1 : REM after the statement separator
        Dim remainder As Integer = 7 Mod 2
#If DEBUG Then
        Console.WriteLine("debug")
#End If
        Dim text = "a string over
two lines ' still text"
    End Sub
End Module
#End Region
