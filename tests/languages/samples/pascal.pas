{ Counts the words of a text, and shows Pascal's literals. }
program Report;

{$H+}
{$IFDEF DEBUG}
uses SysUtils;
{$ENDIF}

(* A comment in parentheses
   { with a brace inside } and still open *)
// A line comment.
function CountWords(const Text: string): Integer;
var
  I: Integer;
begin
  Result := 0;
  for I := 1 to Length(Text) do
    if Text[I] = ' ' then Inc(Result); { a comment after code }
end;

const
  Quote = 'it''s { not a comment }';
  Apostrophe = '''';
begin
  WriteLn(CountWords('a b'), Quote, Apostrophe); // a comment after code
end.
