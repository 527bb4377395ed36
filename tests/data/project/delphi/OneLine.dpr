program OneLine;
uses SysUtils, Tools in 'Tools.pas';
begin
  WriteLn('x.pas');
end.
