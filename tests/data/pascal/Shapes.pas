{ options: 1=1 2=1 3=1 fold=1 }
unit Shapes;

{$mode delphi}{$H+}
{$I shapes.inc}

interface

uses
  Classes, SysUtils;

type
  TShapeKind = (skCircle, skSquare, skTriangle);

  TPointF = record
    X, Y: Double;
    function Length: Double;
    class function Make(AX, AY: Double): TPointF; static;
  end;

  TNotifyShape = procedure(Sender: TObject) of object;
  TShapeClass = class of TShape;

  TShape = class(TPersistent)
  private
    FKind: TShapeKind;
    FOnChange: TNotifyShape;
    procedure SetKind(Value: TShapeKind);
  protected
    procedure Changed; virtual;
  public
    constructor Create(AKind: TShapeKind);
    destructor Destroy; override;
    procedure Draw(Canvas: TObject); overload; virtual;
    procedure Draw(Canvas: TObject; Scale: Double); overload;
    function Area: Double; virtual; abstract;
    property Kind: TShapeKind read FKind write SetKind;
    property OnChange: TNotifyShape read FOnChange write FOnChange;
  end;

  TCircle = class(TShape)
  public
    Radius: Double;
    function Area: Double; override;
  end;

  EShapeError = class(Exception);

  IDrawable = interface
    ['{6A1F0C2E-1B5D-4C55-9A33-5E2C1D3B7F10}']
    procedure Paint;
  end;

function ShapeName(Kind: TShapeKind): string;
function MessageBeep(uType: Cardinal): LongBool; stdcall; external 'user32.dll';

implementation

{$IFDEF DEBUG_SHAPES}
procedure Trace(const Msg: string);
begin
  WriteLn(Msg);
end;
{$ELSE}
procedure Trace(const Msg: string); inline;
begin
end;
{$ENDIF}

{ TPointF }

function TPointF.Length: Double;
begin
  Result := Sqrt(X * X + Y * Y);
end;

class function TPointF.Make(AX, AY: Double): TPointF;
begin
  Result.X := AX;
  Result.Y := AY;
end;

{ TShape }

constructor TShape.Create(AKind: TShapeKind);
begin
  inherited Create;
  FKind := AKind;
  Trace('created');
end;

destructor TShape.Destroy;
begin
  Trace('destroyed');
  inherited;
end;

procedure TShape.SetKind(Value: TShapeKind);
begin
  if FKind <> Value then
  begin
    FKind := Value;
    Changed;
  end;
end;

procedure TShape.Changed;
begin
  if Assigned(FOnChange) then
    FOnChange(Self);
end;

procedure TShape.Draw(Canvas: TObject);
begin
  Draw(Canvas, 1.0);
end;

procedure TShape.Draw(Canvas: TObject; Scale: Double);
var
  I: Integer;

  (* Name: Outline *)
  procedure Outline(Steps: Integer);
  var
    J: Integer;
  begin
    for J := 1 to Steps do
      Trace(IntToStr(J));
  end;

begin
  case FKind of
    skCircle: Outline(36);
    skSquare, skTriangle:
      begin
        I := 4;
        Outline(I);
      end;
  else
    MessageBeep(0);
  end;
end;

{ TCircle }

function TCircle.Area: Double;
begin
  Result := Pi * Radius * Radius;
end;

// Name: ShapeName
function ShapeName(Kind: TShapeKind): string;
const
  Names: array[TShapeKind] of string = ('circle', 'square', 'triangle');
begin
  Result := Names[Kind];
  repeat
    Result := Trim(Result);
  until Pos(' ', Result) = 0;
  try
    Trace(Result);
  except
    on E: Exception do
      Trace(E.Message);
  end;
end;

initialization
  RegisterClass(TCircle);

end.
