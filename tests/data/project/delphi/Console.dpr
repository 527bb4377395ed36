program Console;

{$APPTYPE CONSOLE}

uses
  SysUtils, { the runtime; always first }
  Helpers in 'Helpers.pas',
  Semi in 'semi;colon.pas';

begin
  WriteLn('Hello, world');
  WriteLn('');
end.
