{ options: 1=1 2=1 fold=1 }
program Calc;

{$APPTYPE CONSOLE}

uses
  SysUtils;

type
  TStack<T> = class
  private
    FItems: array of T;
    FCount: Integer;
  public
    procedure Push(const Item: T);
    function Pop: T;
    function Peek: T;
  end;

procedure TStack<T>.Push(const Item: T);
begin
  if FCount = Length(FItems) then
    SetLength(FItems, FCount * 2 + 4);
  FItems[FCount] := Item;
  Inc(FCount);
end;

function TStack<T>.Pop: T;
begin
  Result := Peek;
  Dec(FCount);
end;

function TStack<T>.Peek: T;
begin
  Result := FItems[FCount - 1];
end;

procedure Evaluate(const Expr: string); forward;

function Apply(Op: Char; A, B: Integer): Integer;
begin
  case Op of
    '+': Result := A + B;
    '-': Result := A - B;
    '*': Result := A * B;
  else
    Result := 0;
  end;
end;

procedure Evaluate(const Expr: string);
var
  Stack: TStack<Integer>;
  I: Integer;
begin
  Stack := TStack<Integer>.Create;
  for I := 1 to Length(Expr) do
    if CharInSet(Expr[I], ['0'..'9']) then
      Stack.Push(Ord(Expr[I]) - Ord('0'))
    else
      Stack.Push(Apply(Expr[I], Stack.Pop, Stack.Pop));
  WriteLn(Stack.Pop);
end;

begin
  Evaluate('12+3*');
  ReadLn;
end.
